#include "App.h"

#include "FileName.h"

namespace fw {

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* CWinApp::Get()
{
    return g_pApp;
}

int CWinApp::Run()
{
    if (!InitInstance())
        return 0;
    if (!m_pMainWnd)
        ::PostQuitMessage(0);
    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

namespace {
std::string ProgramPath()
{
    std::string path(32768, '\0');
    DWORD length = ::GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return std::string();
    path.resize(length);
    return path;
}
} // namespace

std::string AppTitle()
{
    return BaseNameWithoutExtension(ProgramPath());
}

std::string ProgramFolder()
{
    return FolderOf(ProgramPath());
}

} // namespace fw
