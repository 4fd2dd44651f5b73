// The DPI a window is shown at, from the per-monitor functions where the
// system has them (looked up at run time: older systems and Wine lack some)
// and the system DPI elsewhere.
#pragma once

#include <windows.h>

namespace ui {

// The DPI of the monitor the window is on; the system DPI where the system
// cannot tell, 96 when even that fails.
int WindowDpi(HWND window);

// The dialog manager of per-monitor systems re-lays out a dialog and its
// fonts on its own when the DPI changes; a window that scales itself
// switches that off.
void KeepDialogFromSystemScaling(HWND dialog);

} // namespace ui
