// The application object: one static instance per program, whose InitInstance
// the framework's WinMain calls. As in the platform framework, returning true
// without a main window ends the program at once with status 0.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Get();

    // False ends the program; true enters the message loop.
    virtual bool InitInstance() = 0;
    int Run();

    // The main window while it exists; without one, Run ends at once.
    CWnd* m_pMainWnd = nullptr;
};

// The program's title: its own file name without the extension.
std::string AppTitle();
// The folder of the program's own file, with its backslash; empty when it
// cannot be told.
std::string ProgramFolder();

} // namespace fw
