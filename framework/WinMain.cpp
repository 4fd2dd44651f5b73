// Entry point of programs built on the framework: runs the one application
// object. Linked only into programs that define one.
#include "App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A broken library or an empty drive is the program's to report, never
    // a box of the system's that waits for an answer.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    fw::CWinApp* app = fw::CWinApp::Get();
    try {
        return app ? app->Run() : 0;
    } catch (...) {
        return 1;
    }
}
