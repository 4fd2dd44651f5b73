// A small ActiveX container packaged as a window class: a window of class
// kAxHostClass hosts the control whose class id is its window text, windowed
// and in-place active, with the ambient UserMode on. Dialog templates can
// create it like any control. The control is made on the first
// QueryHostedControl, so a template may create the host before COM runs. A
// class id that cannot be created still gives the window, without a
// control: QueryHostedControl then returns null.
#pragma once

#include "framework/ComPtr.h"

#include <windows.h>

namespace ax {

extern const char kAxHostClass[];

// Registers the window class once per process; true when it is available.
bool RegisterAxHostClass();

// The hosted control, made now if it was not yet; or none.
fw::ComPtr<IUnknown> QueryHostedControl(HWND host);

} // namespace ax
