// Entry point of Update.exe: one run, one message box, exit code 0.
#include "UpdateApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CUpdateApp::UseSystemLibrariesOnly();
    CUpdateApp app;
    app.Run();
    return 0;
}
