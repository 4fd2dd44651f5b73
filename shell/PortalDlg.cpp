#include "PortalDlg.h"

#include "LaunchRules.h"
#include "catalog/PluginHost.h"
#include "framework/App.h"
#include "framework/Handle.h"
#include "resources/LumbraIds.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

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

// Posted to the window itself: build the first menu once the window has
// shown, and carry out the commands that waited for a plug-in call.
const UINT kBuildMenuMessage = WM_APP + 0x100;
const UINT kRunDeferredMessage = WM_APP + 0x101;

const char kMenuTarget[] = "_root.mcLauncher.mcMenu";
const char kExecuteTarget[] = "_root.mcLauncher.mcExecute";
const char kMenuExecTarget[] = "_root.mcLauncher.mcMenu.mcButtonMenuExec";
const char kConfigBackTarget[] = "_root.mcConfig.mcStaticButton_Back";
const char kImportBackTarget[] = "_root.mcFotopass.mcStaticButton_Back";
} // namespace

CPortalDlg::CPortalDlg()
    : CSkinWindow(IDD_PORTAL, nullptr, kDragAnywhere),
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
    return m_nativePlayer.GetSafeHwnd() || m_nativePlayer.Create(m_hWnd, MovieRect(), IDC_MOVIE, Dpi());
}

void CPortalDlg::UsePlayer(IMoviePlayer* player)
{
    m_pPlayer = player;
    if (m_pPlayer)
        m_pPlayer->SetCommandHandler(
            [this](const std::string& command, const std::string& args) { OnFSCommand(command, args); });
}

std::unique_ptr<CAppCatalog> CPortalDlg::NewCatalog()
{
    return std::make_unique<CAppCatalog>();
}

void CPortalDlg::LayOutChrome()
{
    LoadSkin(IDB_MAIN_SKIN);
    m_btnMinimize.SetBitmaps(Library(), IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_FOCUS,
                             IDB_MINIMIZE_DISABLED, IDB_MINIMIZE_HOVER, Dpi());
    m_btnClose.SetBitmaps(Library(), IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS, IDB_CLOSE_DISABLED,
                          IDB_CLOSE_HOVER, Dpi());
    PlaceControl(m_btnMinimize, 580, 4);
    PlaceControl(m_btnClose, 606, 4);
    FitToSkin(kMovieHeight);
}

RECT CPortalDlg::MovieRect() const
{
    const int top = SkinSize().cy;
    return RECT{0, top, Px(kMovieWidth), top + Px(kMovieHeight)};
}

void CPortalDlg::PlaceMovie()
{
    if (HWND movie = ::GetDlgItem(m_hWnd, IDC_MOVIE)) {
        const RECT rect = MovieRect();
        ::SetWindowPos(movie, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_SHOWWINDOW);
    }
}

void CPortalDlg::OnScaleChanged()
{
    LayOutChrome();
    PlaceMovie();
    if (m_nativePlayer.GetSafeHwnd())
        m_nativePlayer.SetDpi(Dpi());
}

BOOL CPortalDlg::OnInitDialog()
{
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.get()));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon.get()));

    LayOutChrome();
    NameControl(m_btnMinimize, IDS_MINIMIZE_NAME, "Minimize");
    NameControl(m_btnClose, IDS_CLOSE_NAME, "Close");

    ::SetWindowTextA(m_hWnd, kMenuTitle);

    UsePlayer(ChoosePlayer());
    PlaceMovie();

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
        switch (fw::KeyOf(*msg)) {
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

HICON CPortalDlg::OnQueryDragIcon()
{
    return m_hIcon.get();
}

bool CPortalDlg::OnSignal(UINT msg)
{
    if (msg == kBuildMenuMessage) {
        BuildFirstMenu();
        return true;
    }
    if (msg == kRunDeferredMessage) {
        CPluginHost::Instance().RunDeferred();
        return true;
    }
    if (msg == m_msgFotopassEnd || msg == m_msgShowIcon || msg == m_msgShowNormal || msg == m_msgShowClose) {
        OnSuiteMessage(msg);
        return true;
    }
    return false;
}
