// Entry point of programs built on the framework: runs the one application
// object. Linked only into programs that define one.
#include "App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    fw::CWinApp* app = fw::CWinApp::Get();
    return app ? app->Run() : 0;
}
