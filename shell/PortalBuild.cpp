// CPortalDlg's menu build: discovery with the window alive between plug-ins,
// the rows found so far, the movie and the document, and the box that names
// what kept the menu from being built.
#include "PortalDlg.h"

#include "LaunchRules.h"
#include "catalog/PluginHost.h"
#include "framework/App.h"
#include "framework/SystemLeadByte.h"
#include "resources/LumbraIds.h"
#include "support/FormatTexts.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

#include <algorithm>
#include <unordered_map>

namespace {
const char kMovieName[] = "PortalApp.swf";
// How often a build handles the window's messages, and shows what it found.
const DWORD kBuildPumpMs = 50;
const DWORD kBuildShowMs = 150;

std::string Counted(UINT id, const char* fallback, int done, int total)
{
    return support::FormatTexts(LibraryTextOr(id, fallback), {std::to_string(done), std::to_string(total)});
}

std::string EnvironmentText(const char* name)
{
    std::string text(::GetEnvironmentVariableA(name, nullptr, 0), '\0');
    const DWORD length = text.empty() ? 0 : ::GetEnvironmentVariableA(name, &text[0], static_cast<DWORD>(text.size()));
    text.resize(length < text.size() ? length : 0);
    return text;
}

// A plug-in as the user knows it: the name its record gave, else its file.
std::string PluginName(const catalog::JournalRecord& call)
{
    if (!call.name.empty())
        return player::PlainName(call.name);
    const std::string& path = call.library.path;
    return path.substr(support::FileNameStart(path, fw::IsSystemLeadByte));
}
} // namespace

void CPortalDlg::BuildFirstMenu()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    // Painted: answers whoever waits for the window to show.
    fw::AnswerSentMessages();
    // A plug-in that ended or froze the last run stays out of this one.
    std::optional<catalog::JournalRecord> leftBehind = CPluginHost::Instance().SetAsideLeftBehindCall();
    RefreshMenu();
    m_bBuilt = true;
    if (leftBehind && !IsEnded()) {
        std::string text = support::FormatTexts(
            LibraryTextOr(IDS_PLUGIN_SET_ASIDE, "%s stopped Imagora Menu the last time it was used."),
            {PluginName(*leftBehind)});
        ::MessageBoxA(m_hWnd, text.c_str(), fw::AppTitle().c_str(), MB_OK | MB_ICONWARNING);
    }
}

void CPortalDlg::RefreshMenu()
{
    if (!m_pPlayer)
        return;
    CPluginHost& host = CPluginHost::Instance();
    if (host.IsBusy()) {
        host.RunOrDefer([this] { RefreshMenu(); });
        return;
    }
    CPluginHost::CBusy busy = host.Busy();
    // However the build ends, its progress line goes with it.
    struct BuildEnd {
        CPortalDlg& dlg;
        ~BuildEnd()
        {
            dlg.m_pBuild.reset();
            if (dlg.m_pPlayer)
                dlg.m_pPlayer->ShowProgress(std::string());
        }
    } buildEnd{*this};
    m_com.Enter();

    if (m_pPlayer->FlashVersion() < kRequiredFlashVersion) {
        if (g_pResourceLibrary)
            g_pResourceLibrary->ShowError(IDS_FLASH_TOO_OLD);
        return;
    }
    m_pBuild = std::make_unique<BuildState>();
    m_pBuild->startTick = ::GetTickCount();
    m_pBuild->stored = catalog::ParseStoredList(RegReadString(HKEY_CURRENT_USER, kProgramKey, "Sort", ""));
    m_pBuild->hidden = catalog::ParseStoredList(RegReadString(HKEY_CURRENT_USER, kProgramKey, "NoUse", ""));
    m_pCatalog = NewCatalog();
    m_pCatalog->Refresh([this](const CAppCatalog::Step& step) { return OnBuildStep(step, BuildPhase::Discovery); });
    if (m_pCatalog->WasStopped())
        return; // the window is going; nothing half-built is stored

    const std::string moviePath = m_pCatalog->GetMenuSwfFolder() + kMovieName;
    if (!MovieAvailable(moviePath))
        return;
    m_pPlayer->LoadMovie(0, moviePath);

    m_strXmlPath = TempDocumentPath();
    const bool tempUsable = !m_strXmlPath.empty();

    m_pCatalog->ApplyOrder("Sort");
    m_pCatalog->SaveOrder("Sort");
    host.SaveNames();
    const int written = tempUsable ? m_pCatalog->WriteMenuDocument(m_strXmlPath,
                                                                   [this](const CAppCatalog::Step& step) {
                                                                       return OnBuildStep(step, BuildPhase::Document);
                                                                   })
                                   : -1;
    if (written < 0) {
        if (IsEnded())
            return;
        m_pPlayer->TGotoFrame("_root", 0);
        if (tempUsable)
            ReportBuildProblem(IDS_DOCUMENT_NOT_WRITTEN, m_strXmlPath);
        else
            ReportBuildProblem(IDS_TEMP_FOLDER_UNUSABLE, m_strTempFolder);
        return;
    }
    m_pPlayer->SetVariable("_root:XMLFile", m_strXmlPath);
    std::string importBack = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_BACK_IMPORT) : std::string();
    std::string settingsBack = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_BACK_SETTINGS) : std::string();
    m_pPlayer->SetVariable("_root.mcFotopass.mcStaticButton_Back:Text", importBack);
    m_pPlayer->SetVariable("_root.mcConfig.mcStaticButton_Back:Text", settingsBack);
    m_pPlayer->Rewind();
    m_pPlayer->Play();
}

bool CPortalDlg::MovieAvailable(const std::string& moviePath)
{
    // Only the Flash control needs the movie file; without it the window
    // would stay blank, with no way to the settings: the built-in player
    // takes over.
    if (m_pPlayer != &m_flash || ::GetFileAttributesA(moviePath.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    std::string text =
        support::FormatTexts(LibraryTextOr(IDS_MOVIE_MISSING, "The menu movie was not found:\n%s"), {moviePath});
    ::MessageBoxA(m_hWnd, text.c_str(), fw::AppTitle().c_str(), MB_OK | MB_ICONERROR);
    if (!CreateBuiltInPlayer()) {
        UsePlayer(nullptr);
        return false;
    }
    UsePlayer(&m_nativePlayer);
    ::SetWindowPos(m_nativePlayer.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return true;
}

std::string CPortalDlg::TempDocumentPath()
{
    char temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        // No folder, or one too long for any path in it: named as the
        // setting the system read it from.
        m_strTempFolder = EnvironmentText("TMP");
        if (m_strTempFolder.empty())
            m_strTempFolder = EnvironmentText("TEMP");
        return std::string();
    }
    m_strTempFolder.assign(temp, length);
    std::optional<std::string> path = shell::TempDocumentPath(m_strTempFolder, kMenuDocumentName, fw::IsSystemLeadByte);
    // A folder that is not there is no place for the document either.
    DWORD attributes = path ? ::GetFileAttributesA(m_strTempFolder.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::string();
    return *path;
}

void CPortalDlg::ReportBuildProblem(UINT textId, const std::string& path)
{
    std::string text = support::FormatTexts(LibraryTextOr(textId, "The menu cannot be shown:\n%s"), {path});
    // The build is over: the menu says why it is empty while the box is up.
    m_pPlayer->ShowProgress(std::string());
    m_pPlayer->ShowProblem(text);
    ::MessageBoxA(m_hWnd, text.c_str(), fw::AppTitle().c_str(), MB_OK | MB_ICONERROR);
}

bool CPortalDlg::OnBuildStep(const CAppCatalog::Step& step, BuildPhase phase)
{
    BuildState& build = *m_pBuild;
    if (phase == BuildPhase::Discovery && step.record) {
        const std::string& folder = m_pCatalog->GetMenuSwfFolder();
        build.found.push_back(step.id);
        build.records.push_back({step.id, step.record->Name(), folder + step.record->InfoSwf(),
                                 step.record->ExecButton(), folder + step.record->Icon(), false});
    }
    const DWORD now = ::GetTickCount();
    if (now - build.lastPumpTick < kBuildPumpMs && step.done < step.total)
        return !IsEnded();
    build.lastPumpTick = now;
    m_pPlayer->ShowProgress(phase == BuildPhase::Discovery
                                ? Counted(IDS_PLAYER_LOOKING_PROGRESS, "%s of %s", step.done, step.total)
                                : Counted(IDS_PLAYER_PREPARING_PROGRESS, "%s of %s", step.done, step.total));
    // Shown ever less often as the build goes on, so a long list costs its
    // rows a few times, not at every step.
    const DWORD showEvery = std::max(kBuildShowMs, (now - build.startTick) / 4);
    if (phase == BuildPhase::Discovery && (now - build.lastShownTick >= showEvery || step.done == step.total)) {
        build.lastShownTick = now;
        ShowFoundSoFar();
    }
    // The window stays alive between plug-ins: it paints, moves, answers
    // other programs and takes commands, which wait for the build.
    return fw::PumpWaitingMessages() && !IsEnded();
}

void CPortalDlg::ShowFoundSoFar()
{
    const BuildState& build = *m_pBuild;
    std::unordered_map<std::string, std::size_t> recordOf;
    for (std::size_t i = 0; i < build.records.size(); ++i)
        recordOf.emplace(build.records[i].id, i);
    std::vector<player::MenuEntry> entries;
    for (const std::string& id : catalog::ProvisionalOrder(build.stored, build.hidden, build.found))
        entries.push_back(build.records[recordOf.at(id)]);
    m_pPlayer->ShowFoundEntries(entries);
}
