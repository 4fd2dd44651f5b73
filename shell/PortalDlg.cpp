#include "PortalDlg.h"

#include "LaunchRules.h"
#include "catalog/PluginHost.h"
#include "framework/App.h"
#include "framework/GdiGuards.h"
#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"
#include "resources/LumbraIds.h"
#include "support/FormatTexts.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

#include <algorithm>
#include <unordered_map>

const char kShowIconMessage[] = "Orva Dereze Show Icon";
const char kShowNormalMessage[] = "Orva Dereze Show Normal";
const char kShowCloseMessage[] = "Orva Dereze Show Close";
const char kFotopassEndMessage[] = "Fotopass End.";
const char kCopyToolMutex[] = "OrvaMtxCpy";
const char kMenuTitle[] = "Imagora Menu";

namespace {
const int kMovieWidth = 640;
const int kMovieHeight = 420;
const UINT_PTR kCopyToolTimer = 100;
const char kMovieName[] = "PortalApp.swf";

// Posted to the window itself: build the first menu once the window has
// shown, and carry out the commands that waited for a plug-in call.
const UINT kBuildMenuMessage = WM_APP + 0x100;
const UINT kRunDeferredMessage = WM_APP + 0x101;
// How often a build handles the window's messages, and shows what it found.
const DWORD kBuildPumpMs = 50;
const DWORD kBuildShowMs = 150;

const char kMenuTarget[] = "_root.mcLauncher.mcMenu";
const char kExecuteTarget[] = "_root.mcLauncher.mcExecute";
const char kMenuExecTarget[] = "_root.mcLauncher.mcMenu.mcButtonMenuExec";
const char kConfigBackTarget[] = "_root.mcConfig.mcStaticButton_Back";
const char kImportBackTarget[] = "_root.mcFotopass.mcStaticButton_Back";

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

CPortalDlg::CPortalDlg()
    : fw::CDialog(IDD_PORTAL),
      m_drag(std::make_unique<CDragTracker>()),
      m_launcher(RegReadDword(HKEY_LOCAL_MACHINE, kProgramKey, "ExecWait", 1000))
{
    m_hIcon.reset(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
}

CPortalDlg::~CPortalDlg()
{
    // Waiting commands would act on this window.
    CPluginHost& host = CPluginHost::Instance();
    host.DropDeferred();
    host.SetDeferredWake(nullptr);
}

void CPortalDlg::DeclareControls()
{
    BindControl(IDC_MINIMIZE, m_btnMinimize);
    BindControl(IDC_CLOSE, m_btnClose);
    BindControl(IDC_MOVIE, m_flash);
}

IMoviePlayer* CPortalDlg::ChoosePlayer()
{
    m_com.Enter();
    if (m_flash.Connect())
        return &m_flash;
    // No Flash control installed (as on every current system): the built-in
    // player takes the movie area and the control's place.
    return CreateBuiltInPlayer() ? &m_nativePlayer : nullptr;
}

bool CPortalDlg::CreateBuiltInPlayer()
{
    m_flash.DestroyWindow();
    BITMAP skin = m_pSkin->GetSlotImage(0)->GetBitmapInfo();
    return m_nativePlayer.GetSafeHwnd() ||
           m_nativePlayer.Create(m_hWnd, RECT{0, skin.bmHeight, kMovieWidth, skin.bmHeight + kMovieHeight}, IDC_MOVIE);
}

void CPortalDlg::UsePlayer(IMoviePlayer* player)
{
    m_pPlayer = player;
    if (m_pPlayer)
        m_pPlayer->SetCommandHandler([this](const std::string& command, const std::string& args) {
            OnFSCommand(command, args);
        });
}

std::unique_ptr<CAppCatalog> CPortalDlg::NewCatalog()
{
    return std::make_unique<CAppCatalog>();
}

BOOL CPortalDlg::OnInitDialog()
{
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.get()));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon.get()));

    m_pSkin = std::make_unique<CSkinImageSet>();
    m_pSkin->SetImage(m_hWnd, 0, IDB_MAIN_SKIN);

    HMODULE library = g_pResourceLibrary ? g_pResourceLibrary->GetHandle() : nullptr;
    m_btnMinimize.SetBitmaps(library, IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_FOCUS,
                             IDB_MINIMIZE_DISABLED, IDB_MINIMIZE_HOVER);
    m_btnClose.SetBitmaps(library, IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS, IDB_CLOSE_DISABLED,
                          IDB_CLOSE_HOVER);
    ::SetWindowPos(m_btnMinimize.GetSafeHwnd(), nullptr, 580, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(m_btnClose.GetSafeHwnd(), nullptr, 606, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    ::SetWindowTextA(m_hWnd, kMenuTitle);

    BITMAP skin = m_pSkin->GetSlotImage(0)->GetBitmapInfo();
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    ::MoveWindow(m_hWnd, rect.left, rect.top, skin.bmWidth, skin.bmHeight + kMovieHeight, TRUE);

    UsePlayer(ChoosePlayer());
    if (HWND movie = ::GetDlgItem(m_hWnd, IDC_MOVIE))
        ::SetWindowPos(movie, HWND_TOP, 0, skin.bmHeight, kMovieWidth, kMovieHeight, SWP_SHOWWINDOW);

    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_SYSMENU);

    // All four before the window can be found: none of them is lost while
    // the menu is still being built.
    m_msgShowIcon = ::RegisterWindowMessageA(kShowIconMessage);
    m_msgShowNormal = ::RegisterWindowMessageA(kShowNormalMessage);
    m_msgShowClose = ::RegisterWindowMessageA(kShowCloseMessage);
    m_msgFotopassEnd = ::RegisterWindowMessageA(kFotopassEndMessage);
    ::SetTimer(m_hWnd, kCopyToolTimer, 1000, nullptr);

    HWND self = m_hWnd;
    CPluginHost::Instance().SetDeferredWake([self] { ::PostMessageA(self, kRunDeferredMessage, 0, 0); });
    // The window shows first, with its empty list; the menu is built right
    // after its first paint, so a plug-in that hangs leaves a window that can
    // be seen and ended.
    if (m_pPlayer)
        m_pPlayer->ShowProgress(LibraryTextOr(IDS_PLAYER_LOOKING, "Looking for applications..."));
    ::PostMessageA(m_hWnd, kBuildMenuMessage, 0, 0);
    return TRUE;
}

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
    const int written =
        tempUsable ? m_pCatalog->WriteMenuDocument(m_strXmlPath, [this](const CAppCatalog::Step& step) {
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
    std::string text = support::FormatTexts(LibraryTextOr(IDS_MOVIE_MISSING, "The menu movie was not found:\n%s"),
                                            {moviePath});
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

void CPortalDlg::StepMenu(const char* button, const char* label)
{
    if (!m_pPlayer || m_pPlayer->TCurrentLabel(button) == "Disable")
        return;
    m_pPlayer->TGotoLabel(kMenuTarget, label);
    m_pPlayer->TPlay(kMenuTarget);
}

void CPortalDlg::StepMenuUp()
{
    StepMenu("_root.mcLauncher.mcButtonUp", "Down1");
}

void CPortalDlg::StepMenuDown()
{
    StepMenu("_root.mcLauncher.mcButtonDown", "Up1");
}

void CPortalDlg::SendLaunchLabels(const char* execute, const char* menuExec, const char* back)
{
    if (!m_pPlayer)
        return;
    m_pPlayer->TGotoLabel(kExecuteTarget, execute);
    m_pPlayer->TGotoLabel(kMenuExecTarget, menuExec);
    m_pPlayer->TGotoLabel(kConfigBackTarget, back);
    m_pPlayer->TGotoLabel(kImportBackTarget, back);
}

void CPortalDlg::DisableLaunching()
{
    m_bLaunchEnabled = false;
    ::EnableWindow(m_btnClose.GetSafeHwnd(), FALSE);
    SendLaunchLabels("Disable", "Disable", "Disable");
}

void CPortalDlg::EnableLaunching()
{
    if (m_bLaunchEnabled)
        return;
    m_bLaunchEnabled = true;
    ::EnableWindow(m_btnClose.GetSafeHwnd(), TRUE);
    SendLaunchLabels("Up", "Selected", "Up");
}

void CPortalDlg::PollCopyTool()
{
    // The copy tool owns this mutex while it runs; the menu never creates it.
    fw::UniqueKernelHandle copyTool(::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kCopyToolMutex));
    if (copyTool)
        DisableLaunching();
    else
        EnableLaunching();
}

void CPortalDlg::PaintSkin(HDC dc)
{
    if (CSkinImage* skin = m_pSkin ? m_pSkin->GetSlotImage(0) : nullptr)
        skin->Draw(m_hWnd, dc);
}

bool CPortalDlg::PreTranslateMessage(MSG* msg)
{
    // Keys and the middle button act on the menu only for the menu window
    // and its children, not for the settings or about dialog it owns.
    const bool ownWindow = msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd);
    switch (msg->message) {
    case WM_KEYDOWN:
        if (!ownWindow)
            return false;
        // Keys never reach the dialog's own keyboard handling: Enter starts
        // the current entry instead of ending the window.
        switch (msg->wParam) {
        case VK_UP:
            StepMenuUp();
            return false;
        case VK_DOWN:
            StepMenuDown();
            return false;
        case VK_RETURN:
            LaunchEntry(std::string());
            return false;
        case VK_TAB:
            return true;
        default:
            return false;
        }
    case WM_MBUTTONDOWN:
        if (ownWindow)
            LaunchEntry(std::string());
        return false;
    case WM_RBUTTONDOWN:
    case WM_MOUSEHOVER:
        return true;
    default:
        return fw::CDialog::PreTranslateMessage(msg);
    }
}

// The suite's registered messages, in this window's own procedure so that
// every modal loop delivers them, a plug-in's own dialog included. Only
// posted ones count: one sent from another program would arrive in the
// middle of anything the menu does.
void CPortalDlg::OnSuiteMessage(UINT message)
{
    if (::InSendMessage())
        return;
    if (message == m_msgFotopassEnd)
        PrepareEntries();
    if (message == m_msgShowIcon)
        ::ShowWindow(m_hWnd, SW_MINIMIZE);
    if (message == m_msgShowNormal)
        ::ShowWindow(m_hWnd, SW_RESTORE);
    // Disabled while a modal child (settings, about, a message box) runs.
    if (message == m_msgShowClose && ::IsWindowEnabled(m_hWnd))
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

// The window's own messages.

bool CPortalDlg::OnPaint()
{
    fw::ScopedPaint paint(m_hWnd);
    PaintSkin(paint.get());
    return true;
}

bool CPortalDlg::OnEraseBackground(HDC dc)
{
    PaintSkin(dc);
    return true;
}

// Presses on the skin drag the captionless window; default processing
// still follows.
bool CPortalDlg::OnLButtonDown(POINT point, UINT)
{
    m_drag->Start(m_hWnd, point.x, point.y);
    return false;
}

bool CPortalDlg::OnMouseMove(POINT point, UINT keys)
{
    m_drag->Move(m_hWnd, point.x, point.y, keys);
    return false;
}

bool CPortalDlg::OnLButtonUp(POINT, UINT)
{
    m_drag->Stop();
    return false;
}

bool CPortalDlg::OnMouseWheel(short delta, UINT, POINT)
{
    // Turning the wheel away from the user acts like the movie's Down.
    if (delta >= 0)
        StepMenuDown();
    else
        StepMenuUp();
    return false;
}

bool CPortalDlg::OnTimer(UINT_PTR id)
{
    if (id == kCopyToolTimer)
        PollCopyTool();
    return false;
}

bool CPortalDlg::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_MINIMIZE:
        ::CloseWindow(m_hWnd);
        return true;
    case IDC_CLOSE:
        OnOK();
        return true;
    default:
        return fw::CDialog::OnButtonClicked(id);
    }
}

bool CPortalDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_QUERYDRAGICON) {
        result = reinterpret_cast<LRESULT>(m_hIcon.get());
        return true;
    }
    if (msg == kBuildMenuMessage) {
        BuildFirstMenu();
        return true;
    }
    if (msg == kRunDeferredMessage) {
        CPluginHost::Instance().RunDeferred();
        return true;
    }
    if (msg != 0 && (msg == m_msgFotopassEnd || msg == m_msgShowIcon || msg == m_msgShowNormal || msg == m_msgShowClose)) {
        OnSuiteMessage(msg);
        return true;
    }
    return fw::CDialog::OnMessage(msg, wParam, lParam, result);
}
