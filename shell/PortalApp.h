// The menu program's application object: loads the resource library, makes
// sure the per-user key exists, hands a second start over to the running
// menu (or, when that menu is frozen, offers to end it and takes its place),
// and runs the main menu window as the program's only main loop.
#pragma once

#include "framework/App.h"

#include <windows.h>

class CPortalApp : public fw::CWinApp {
public:
    bool InitInstance() override;

private:
    static void EnsureProgramKey();
    // True when the running menu was frozen and has been ended: this start
    // then runs the menu itself.
    static bool HandOverToRunningMenu();
    static bool OfferToEndFrozenMenu(HWND running);
};
