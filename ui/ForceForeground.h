// Brings a top-level window, possibly of another process, to the foreground
// despite the system's foreground lock.
#pragma once

#include <windows.h>

void ForceForeground(HWND window);
