#include "PortalDlg.h"

#include "framework/GdiGuards.h"
#include "framework/Handle.h"
#include "resources/resource.h"
#include "support/ResourceLibrary.h"

#include <windowsx.h>

namespace {
const int kMovieWidth = 640;
const int kMovieHeight = 420;
const UINT kSkinBitmap = 100;
const char kMenuTitle[] = "Imagora Menu";
// Shown where the movie will be until a player fills the area.
const COLORREF kMovieAreaColor = RGB(0x1B, 0x22, 0x30);
} // namespace

CPortalDlg::CPortalDlg()
    : fw::CDialog(IDD_PORTAL), m_drag(std::make_unique<CDragTracker>())
{
    m_hIcon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

CPortalDlg::~CPortalDlg()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

void CPortalDlg::DeclareControls()
{
    BindControl(IDC_MINIMIZE, m_btnMinimize);
    BindControl(IDC_CLOSE, m_btnClose);
}

BOOL CPortalDlg::OnInitDialog()
{
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_pSkin = std::make_unique<CSkinImageSet>();
    m_pSkin->SetImage(m_hWnd, 0, kSkinBitmap);

    HMODULE library = g_pResourceLibrary ? g_pResourceLibrary->GetHandle() : nullptr;
    m_btnMinimize.SetBitmaps(library, 200, 201, 202, 203, 204);
    m_btnClose.SetBitmaps(library, 210, 211, 212, 213, 214);
    ::SetWindowPos(m_btnMinimize.GetSafeHwnd(), nullptr, 580, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(m_btnClose.GetSafeHwnd(), nullptr, 606, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    ::SetWindowTextA(m_hWnd, kMenuTitle);

    BITMAP skin = m_pSkin->GetSlotImage(0)->GetBitmapInfo();
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    ::MoveWindow(m_hWnd, rect.left, rect.top, skin.bmWidth, skin.bmHeight + kMovieHeight, TRUE);

    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_SYSMENU);
    return TRUE;
}

void CPortalDlg::PaintSkin(HDC dc)
{
    CSkinImage* skin = m_pSkin ? m_pSkin->GetSlotImage(0) : nullptr;
    if (!skin)
        return;
    skin->Draw(m_hWnd, dc);
    BITMAP info = skin->GetBitmapInfo();
    RECT movie{0, info.bmHeight, kMovieWidth, info.bmHeight + kMovieHeight};
    fw::UniqueBrush brush(::CreateSolidBrush(kMovieAreaColor));
    ::FillRect(dc, &movie, brush.get());
}

bool CPortalDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_PAINT: {
        fw::ScopedPaint paint(m_hWnd);
        PaintSkin(paint.get());
        result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        PaintSkin(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_LBUTTONDOWN:
        m_drag->Start(m_hWnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return false;
    case WM_MOUSEMOVE:
        m_drag->Move(m_hWnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return false;
    case WM_LBUTTONUP:
        m_drag->Stop();
        return false;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_MINIMIZE) {
            ::CloseWindow(m_hWnd);
            result = 0;
            return true;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_CLOSE) {
            OnOK();
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return fw::CDialog::OnMessage(msg, wParam, lParam, result);
}
