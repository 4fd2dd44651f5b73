#include "PortalDlg.h"

#include "LaunchRules.h"
#include "framework/GdiGuards.h"
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
const char kMovieName[] = "PortalApp.swf";

const char kMenuTarget[] = "_root.mcLauncher.mcMenu";
const char kExecuteTarget[] = "_root.mcLauncher.mcExecute";
const char kMenuExecTarget[] = "_root.mcLauncher.mcMenu.mcButtonMenuExec";
const char kConfigBackTarget[] = "_root.mcConfig.mcStaticButton_Back";
const char kImportBackTarget[] = "_root.mcFotopass.mcStaticButton_Back";
} // namespace

CPortalDlg::CPortalDlg()
    : fw::CDialog(IDD_PORTAL),
      m_drag(std::make_unique<CDragTracker>()),
      m_dwExecWait(RegReadDword(HKEY_LOCAL_MACHINE, kProgramKey, "ExecWait", 1000))
{
    m_hIcon.reset(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
}

CPortalDlg::~CPortalDlg() = default;

void CPortalDlg::DeclareControls()
{
    BindControl(IDC_MINIMIZE, m_btnMinimize);
    BindControl(IDC_CLOSE, m_btnClose);
    BindControl(IDC_MOVIE, m_flash);
}

IMoviePlayer* CPortalDlg::ChoosePlayer()
{
    if (m_flash.Connect())
        return &m_flash;
    // No Flash control installed (as on every current system): the built-in
    // player takes the movie area and the control's place.
    if (HWND host = m_flash.GetSafeHwnd())
        ::DestroyWindow(host);
    if (m_nativePlayer.Create(m_hWnd, RECT{0, 0, kMovieWidth, kMovieHeight}, IDC_MOVIE))
        return &m_nativePlayer;
    return nullptr;
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

    m_pPlayer = ChoosePlayer();
    if (m_pPlayer)
        m_pPlayer->SetCommandHandler([this](const std::string& command, const std::string& args) {
            OnFSCommand(command, args);
        });
    if (HWND movie = ::GetDlgItem(m_hWnd, IDC_MOVIE))
        ::SetWindowPos(movie, HWND_TOP, 0, skin.bmHeight, kMovieWidth, kMovieHeight, SWP_SHOWWINDOW);

    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_SYSMENU);

    m_msgShowIcon = ::RegisterWindowMessageA(kShowIconMessage);
    m_msgShowNormal = ::RegisterWindowMessageA(kShowNormalMessage);
    m_msgShowClose = ::RegisterWindowMessageA(kShowCloseMessage);
    RefreshMenu();
    ::SetTimer(m_hWnd, kCopyToolTimer, 1000, nullptr);
    m_msgFotopassEnd = ::RegisterWindowMessageA(kFotopassEndMessage);
    return TRUE;
}

void CPortalDlg::RefreshMenu()
{
    if (!m_pPlayer)
        return;
    if (m_pPlayer->FlashVersion() < kRequiredFlashVersion) {
        if (g_pResourceLibrary)
            g_pResourceLibrary->ShowError(IDS_FLASH_TOO_OLD);
        return;
    }
    m_pCatalog = NewCatalog();
    m_pCatalog->Refresh();
    m_pPlayer->LoadMovie(0, m_pCatalog->GetMenuSwfFolder() + kMovieName);

    char temp[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathA(MAX_PATH, temp);
    m_strXmlPath = shell::DocumentPathInFolder(std::string(temp, length <= MAX_PATH ? length : 0), kMenuDocumentName);

    m_pCatalog->ApplyOrder("Sort");
    m_pCatalog->SaveOrder("Sort");
    if (m_pCatalog->WriteMenuDocument(m_strXmlPath) < 0) {
        m_pPlayer->TGotoFrame("_root", 0);
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
    // The suite's registered messages; 0 until registered.
    const UINT message = msg->message;
    if (message != 0) {
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
    if (msg != WM_QUERYDRAGICON)
        return fw::CDialog::OnMessage(msg, wParam, lParam, result);
    result = reinterpret_cast<LRESULT>(m_hIcon.get());
    return true;
}
