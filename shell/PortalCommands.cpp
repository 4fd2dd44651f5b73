// The movie's commands: members of CPortalDlg that start applications, open
// the settings and start the copy tool. While a menu build or a plug-in call
// runs, each waits until it has returned.
#include "PortalDlg.h"
#include "settings/SettingsDlg.h"

#include "catalog/PluginHost.h"
#include "framework/ScopedFlag.h"

void CPortalDlg::OnFSCommand(const std::string& command, const std::string& args)
{
    CPluginHost& host = CPluginHost::Instance();
    if (command == "EXEC") {
        host.RunOrDefer([this, args] {
            // While the copy tool runs nothing is started and the menu stays.
            if (!m_bLaunchEnabled)
                return;
            LaunchEntry(args);
            ::CloseWindow(m_hWnd);
        });
    } else if (command == "CONFIG") {
        host.RunOrDefer([this] { OpenSettings(); });
    } else if (command == "COPY") {
        host.RunOrDefer([this] { m_launcher.RunCopyTool(); });
    }
}

void CPortalDlg::LaunchEntry(std::string entryId)
{
    // The current entry is the one chosen now, not when the start can run.
    if (entryId.empty() && m_pPlayer)
        entryId = m_pPlayer->GetVariable("_root:CurrentDLL");
    CPluginHost::Instance().RunOrDefer([this, entryId] { m_launcher.Launch(entryId, m_pCatalog.get(), m_hWnd); });
}

void CPortalDlg::PrepareEntries()
{
    CPluginHost::Instance().RunOrDefer([this] { m_launcher.PrepareEntries(m_pCatalog.get(), m_hWnd); });
}

void CPortalDlg::OpenSettings()
{
    // The menu stays disabled while the dialog runs; a second "CONFIG" from
    // the movie meanwhile opens nothing.
    if (m_bSettingsOpen)
        return;
    fw::ScopedFlag open(m_bSettingsOpen);
    INT_PTR result = RunSettings();
    if (result == IDOK)
        RefreshMenu();
}

INT_PTR CPortalDlg::RunSettings()
{
    CSettingsDlg settings(m_hWnd);
    return settings.DoModal();
}
