#include "PortalApp.h"

#include "PortalDlg.h"
#include "catalog/PluginHost.h"
#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"
#include "player/AxHost.h"
#include "player/MenuModel.h"
#include "support/FormatTexts.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"
#include "ui/ForceForeground.h"

#include <commctrl.h>

#include <cstring>
#include <memory>

namespace {
CPortalApp theApp;

const char kInstanceMutex[] = "LumbraMtx";
// How long a running menu may take to answer before it counts as frozen.
const DWORD kAnswerTimeoutMs = 5000;
} // namespace

bool CPortalApp::InitInstance()
{
    // Plug-ins are loaded by absolute path; no library is ever taken from the
    // current folder. The program's own folder still comes first.
    ::SetDllDirectoryA("");
    // The movie's control lives in the main window's template.
    ax::RegisterAxHostClass();

    auto library = std::make_unique<CResourceLibrary>();
    if (!library->Load("Lumbra.dll"))
        return false;
    g_pResourceLibrary = library.release();

    EnsureProgramKey();

    // Never acquired: its existence alone says that a menu runs. The handle
    // stays open for the whole run.
    fw::UniqueKernelHandle instanceMutex(::CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (::GetLastError() == ERROR_ALREADY_EXISTS && !HandOverToRunningMenu())
        return true;

    {
        CPortalDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        // The library outlives the last window.
        g_pResourceLibrary->Free();
        delete g_pResourceLibrary;
        g_pResourceLibrary = nullptr;
    }
    return false;
}

void CPortalApp::EnsureProgramKey()
{
    // Only a missing key is created; any other failure is left alone and the
    // readers fall back to their defaults.
    HKEY opened = nullptr;
    LONG result = ::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &opened);
    if (result == ERROR_SUCCESS) {
        fw::UniqueRegKey existing(opened);
        return;
    }
    if (result != ERROR_FILE_NOT_FOUND)
        return;
    HKEY created = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &created, nullptr) == ERROR_SUCCESS)
        fw::UniqueRegKey closeAtOnce(created);
}

bool CPortalApp::HandOverToRunningMenu()
{
    // "/ICON" anywhere in the line, program path included, exact case.
    if (std::strstr(::GetCommandLineA(), "/ICON"))
        return false;
    HWND running = ::FindWindowA(nullptr, kMenuTitle);
    if (!running)
        return false;
    // A menu that does not answer within a few seconds is frozen: restoring
    // it would hang this start as well.
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(running, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer))
        return OfferToEndFrozenMenu(running);
    ::ShowWindow(running, SW_RESTORE);
    ForceForeground(running);
    return false;
}

bool CPortalApp::OfferToEndFrozenMenu(HWND running)
{
    // The journal tells which plug-in the frozen menu is waiting for; ended
    // now, that plug-in stays out of the menu this start builds.
    std::string text;
    if (std::optional<catalog::JournalRecord> call = CPluginHost::CurrentCall()) {
        std::string name = call->name.empty() ? CPluginHost::Instance().NameOf(call->library.path) : call->name;
        if (name.empty())
            name = call->library.path.substr(support::FileNameStart(call->library.path, fw::IsSystemLeadByte));
        text = support::FormatTexts(LibraryTextOr(IDS_MENU_NOT_RESPONDING, "Imagora Menu is not responding (%s)."),
                                    {player::PlainName(name)});
    } else {
        text = LibraryTextOr(IDS_MENU_NOT_RESPONDING_PLAIN, "Imagora Menu is not responding.");
    }
    if (::MessageBoxA(nullptr, text.c_str(), fw::AppTitle().c_str(), MB_YESNO | MB_ICONWARNING | MB_SETFOREGROUND) !=
        IDYES)
        return false;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(running, &processId);
    fw::UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process || !::TerminateProcess(process.get(), 1))
        return false;
    ::WaitForSingleObject(process.get(), kAnswerTimeoutMs);
    return true;
}
