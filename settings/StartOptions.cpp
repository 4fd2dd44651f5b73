// CSettingsDlg's start options: "AutoRun" under the program's key, and on
// Windows XP the AutoPlay cancel entries of the three memory-card markers.
#include "SettingsDlg.h"

#include "SettingsRules.h"
#include "framework/Handle.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

const char CSettingsDlg::kCancelAutoplayKey[] =
    "SOFTWARE\\Microsoft\\Windows\\Currentversion\\Explorer\\AutoplayHandlers\\CancelAutoplay\\Files";
const char* const CSettingsDlg::kMarkerNames[3] = {"TAVRIK.IND", "RUDAVO.IND", "ONBOARD.IND"};

namespace {
fw::UniqueRegKey OpenForWriting(const char* subKey)
{
    fw::UniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_WRITE, key.receive()) != ERROR_SUCCESS)
        key.reset();
    return key;
}

bool RunsOnWindowsXp()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExA(&info) && settings::IsWindowsXp(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
} // namespace

void CSettingsDlg::TestAutoPlayAccess()
{
    m_bAutoPlayWritable = static_cast<bool>(OpenForWriting(kCancelAutoplayKey));
}

void CSettingsDlg::LoadStartOptions()
{
    m_chkAutoStart.SetCheck(settings::IsAutoStartOn(RegReadDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", 0)));
    ::ShowWindow(m_chkXpWizard.GetSafeHwnd(), SW_HIDE);
    ::ShowWindow(m_btnXpWizardLabel.GetSafeHwnd(), SW_HIDE);
}

void CSettingsDlg::ToggleXpWizard()
{
    if (m_bAutoPlayWritable)
        m_chkXpWizard.SetCheck(!m_chkXpWizard.GetCheck());
    else if (g_pResourceLibrary)
        g_pResourceLibrary->ShowError(m_hWnd, IDS_AUTOPLAY_DENIED);
}

void CSettingsDlg::SaveStartOptions()
{
    RegWriteDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", settings::AutoRunValue(m_chkAutoStart.GetCheck()));
    if (!m_bAutoPlayWritable || !RunsOnWindowsXp())
        return;
    if (m_chkXpWizard.GetCheck()) {
        // The system's AutoPlay (with its wizard) handles the cards again.
        fw::UniqueRegKey key = OpenForWriting(kCancelAutoplayKey);
        if (!key)
            return;
        for (const char* name : kMarkerNames)
            ::RegDeleteValueA(key.get(), name);
    } else {
        for (const char* name : kMarkerNames)
            RegWriteString(HKEY_LOCAL_MACHINE, kCancelAutoplayKey, name, "");
    }
}
