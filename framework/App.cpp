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

std::string AppTitle()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return BaseNameWithoutExtension(std::string(path, length));
}

} // namespace fw
