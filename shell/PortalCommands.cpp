// The movie's commands and the starting of applications: members of
// CPortalDlg that call into the plug-in libraries of the catalog.
#include "PortalDlg.h"
#include "settings/SettingsDlg.h"

#include "LaunchRules.h"
#include "framework/FileName.h"
#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"
#include "sdk/LumbraPlugin.h"
#include "support/AppPathLookup.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

namespace {
const char kFotopassKey[] = "SOFTWARE\\Orva Corporation\\Fotopass\\1.0";
} // namespace

void CPortalDlg::OnFSCommand(const std::string& command, const std::string& args)
{
    if (command == "EXEC") {
        // While the copy tool runs nothing is started and the menu stays.
        if (!m_bLaunchEnabled)
            return;
        LaunchEntry(args);
        ::CloseWindow(m_hWnd);
    } else if (command == "CONFIG") {
        OpenSettings();
    } else if (command == "COPY") {
        RunCopyTool();
    }
}

void CPortalDlg::LaunchEntry(std::string entryId)
{
    if (entryId.empty() && m_pPlayer)
        entryId = m_pPlayer->GetVariable("_root:CurrentDLL");
    DWORD interval = shell::RepeatGuardInterval(entryId, m_dwExecWait, fw::IsSystemLeadByte);
    DWORD now = ::GetTickCount();
    if (shell::IsGuardedRepeat(entryId, m_strLastDll, now, m_dwLastLaunchTick, interval))
        return;
    // Recorded before loading: a failed attempt counts for the guard too.
    m_strLastDll = entryId;
    m_dwLastLaunchTick = now;

    // The id comes from the movie, a file outside the program: only an entry
    // of the current catalog is ever loaded.
    if (!m_pCatalog || !catalog::IsPlainFileName(entryId, fw::IsSystemLeadByte) || !catalog::Contains(m_pCatalog->m_entries, entryId))
        return;
    fw::UniqueLibrary plugin(::LoadLibraryA((m_pCatalog->GetAppInfoFolder() + entryId).c_str()));
    if (!plugin)
        return;
    auto exec = fw::ExportOf<LumbraExecProc>(plugin.get(), "Exec");
    if (!exec)
        return;
    // Plug-in code may pump messages, and a message handled meanwhile may
    // replace the folder text or the catalog: the call gets copies.
    const std::string newFolder = m_strNewFolder;
    std::int32_t result = exec(m_hWnd, newFolder.c_str());
    if (result == 0)
        RegWriteString(HKEY_CURRENT_USER, kProgramKey, "LastUse", entryId);
    else if (g_pResourceLibrary)
        g_pResourceLibrary->ShowErrorFormat(m_hWnd, IDS_EXEC_FAILED, result);
}

void CPortalDlg::RunCopyTool()
{
    CAppPathLookup lookup("OrvaCopy.exe");
    std::optional<std::string> path = lookup.Join("OrvaExIt.Dll");
    // A registration without a folder gives a bare name, which the system
    // would look for in the current folder too: nothing is loaded then.
    if (!path || fw::FolderOf(*path).empty())
        return;
    fw::UniqueLibrary copyTool(::LoadLibraryA(path->c_str()));
    if (!copyTool)
        return;
    if (auto exec = fw::ExportOf<LumbraCopyToolExecProc>(copyTool.get(), "Exec"))
        exec(0);
}

void CPortalDlg::PrepareEntries()
{
    m_strNewFolder = RegReadString(HKEY_CURRENT_USER, kFotopassKey, "NewFolder", "");
    if (m_strNewFolder.empty() || !m_pCatalog)
        return;
    // Copies: a plug-in pumping messages may see the catalog rebuilt.
    const std::string newFolder = m_strNewFolder;
    const std::string appInfo = m_pCatalog->GetAppInfoFolder();
    const catalog::IdList visible = m_pCatalog->m_visible;
    for (const std::string& entryId : visible) {
        fw::UniqueLibrary plugin(::LoadLibraryA((appInfo + entryId).c_str()));
        if (!plugin)
            continue;
        if (auto prepare = fw::ExportOf<LumbraPrepareProc>(plugin.get(), "Prepare"))
            prepare(m_hWnd, newFolder.c_str());
    }
}

void CPortalDlg::OpenSettings()
{
    // The menu stays disabled while the dialog runs; a second "CONFIG" from
    // the movie meanwhile opens nothing.
    if (m_bSettingsOpen)
        return;
    m_bSettingsOpen = true;
    INT_PTR result = RunSettings();
    m_bSettingsOpen = false;
    if (result == IDOK)
        RefreshMenu();
}

INT_PTR CPortalDlg::RunSettings()
{
    CSettingsDlg settings(m_hWnd);
    return settings.DoModal();
}
