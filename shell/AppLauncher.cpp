#include "AppLauncher.h"

#include "LaunchRules.h"
#include "catalog/PluginHost.h"
#include "framework/FileName.h"
#include "framework/SystemLeadByte.h"
#include "support/AppPathLookup.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

namespace {
const char kFotopassKey[] = "SOFTWARE\\Orva Corporation\\Fotopass\\1.0";
} // namespace

void CAppLauncher::Launch(const std::string& entryId, const CAppCatalog* catalog, HWND menu)
{
    DWORD interval = shell::RepeatGuardInterval(entryId, m_dwExecWait, fw::IsSystemLeadByte);
    DWORD now = ::GetTickCount();
    if (shell::IsGuardedRepeat(entryId, m_strLastDll, now, m_dwLastLaunchTick, interval))
        return;
    // Recorded before loading: a failed attempt counts for the guard too.
    m_strLastDll = entryId;
    m_dwLastLaunchTick = now;

    // The id comes from the movie, a file outside the program: only an entry
    // of the current catalog is ever loaded.
    if (!catalog || !catalog::IsPlainFileName(entryId, fw::IsSystemLeadByte) ||
        !catalog::Contains(catalog->Entries(), entryId))
        return;
    std::optional<catalog::LibraryIdentity> library = CPluginHost::IdentityOf(catalog->GetAppInfoFolder() + entryId);
    std::optional<std::int32_t> result =
        library ? CPluginHost::Instance().Exec(*library, menu, m_strNewFolder) : std::nullopt;
    if (!result)
        return;
    if (*result == 0)
        RegWriteString(HKEY_CURRENT_USER, kProgramKey, "LastUse", entryId);
    else if (g_pResourceLibrary)
        g_pResourceLibrary->ShowErrorFormat(menu, IDS_EXEC_FAILED, *result);
}

void CAppLauncher::PrepareEntries(const CAppCatalog* catalog, HWND menu)
{
    m_strNewFolder = RegReadString(HKEY_CURRENT_USER, kFotopassKey, "NewFolder", "");
    if (m_strNewFolder.empty() || !catalog)
        return;
    const std::string appInfo = catalog->GetAppInfoFolder();
    const catalog::IdList visible = catalog->Visible();
    for (const std::string& entryId : visible)
        if (std::optional<catalog::LibraryIdentity> library = CPluginHost::IdentityOf(appInfo + entryId))
            CPluginHost::Instance().Prepare(*library, menu, m_strNewFolder);
}

void CAppLauncher::RunCopyTool()
{
    CAppPathLookup lookup("OrvaCopy.exe");
    std::optional<std::string> path = lookup.Join("OrvaExIt.Dll");
    // A registration without a folder gives a bare name, which the system
    // would look for in the current folder too: nothing is loaded then.
    if (!path || fw::FolderOf(*path).empty())
        return;
    if (std::optional<catalog::LibraryIdentity> library = CPluginHost::IdentityOf(*path))
        CPluginHost::Instance().ExecCopyTool(*library);
}
