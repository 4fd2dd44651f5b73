// The menu program's application object: loads the resource library, makes
// sure the per-user key exists, hands a second start over to the running
// menu, and runs the main menu window as the program's only main loop.
#pragma once

#include "framework/App.h"

class CPortalApp : public fw::CWinApp {
public:
    bool InitInstance() override;

private:
    static void EnsureProgramKey();
    static void HandOverToRunningMenu();
};
