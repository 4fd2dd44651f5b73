#include "VersionInfoDlg.h"

#include "ForceForeground.h"
#include "framework/GdiGuards.h"
#include "resources/LumbraIds.h"
#include "support/ResourceLibrary.h"

const char CVersionInfoDlg::kVersionText[] = "1.7.60417.1";

namespace {
const COLORREF kCaptionColors[] = {0x000000, 0xFFFFFF, 0x000000, 0xBFBFBF, 0xFFFFFF};
} // namespace

CVersionInfoDlg::CVersionInfoDlg(HWND parent)
    : fw::CDialog(IDD_ABOUT, parent), m_pDrag(std::make_unique<CDragTracker>()),
      m_pFont(std::make_unique<CSkinFont>(10))
{
}

void CVersionInfoDlg::DeclareControls()
{
    BindControl(IDC_CLOSE, m_btnClose);
    BindControl(IDOK, m_btnOK);
}

BOOL CVersionInfoDlg::OnInitDialog()
{
    // No taskbar button.
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    m_pSkin = std::make_unique<CSkinImageSet>();
    m_pSkin->SetImage(m_hWnd, 0, IDB_ABOUT_SKIN);
    CSkinImage* skin = m_pSkin->GetSlotImage(0);
    std::string label = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_ABOUT_VERSION_LABEL) : std::string();
    skin->DrawLabelTransparent(m_hWnd, label.c_str(), 168, 82, 340, 12, m_pFont.get(), 0, 0);
    skin->DrawLabelTransparent(m_hWnd, kVersionText, 269, 82, 340, 12, m_pFont.get(), 0, 0);

    HMODULE library = g_pResourceLibrary ? g_pResourceLibrary->GetHandle() : nullptr;
    m_btnOK.SetBitmaps(library, IDB_PUSH_NORMAL, IDB_PUSH_PRESSED, IDB_PUSH_FOCUS, IDB_PUSH_DISABLED, IDB_PUSH_HOVER);
    m_btnClose.SetBitmaps(library, IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS, IDB_CLOSE_DISABLED,
                          IDB_CLOSE_HOVER);
    m_btnOK.SetFontSize(10);
    m_btnOK.SetColors(kCaptionColors[0], kCaptionColors[1], kCaptionColors[2], kCaptionColors[3], kCaptionColors[4]);
    RECT caption{};
    ::GetClientRect(m_btnOK.GetSafeHwnd(), &caption);
    ::InflateRect(&caption, -5, -5);
    std::string ok = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_ABOUT_OK) : std::string();
    m_btnOK.SetCaption(ok, caption, DT_CENTER | DT_VCENTER);

    ::SetWindowPos(m_btnClose.GetSafeHwnd(), nullptr, 570, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(m_btnOK.GetSafeHwnd(), nullptr, 489, 236, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetFocus(m_btnOK.GetSafeHwnd());

    BITMAP size = skin->GetBitmapInfo();
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    ::MoveWindow(m_hWnd, rect.left, rect.top, size.bmWidth, size.bmHeight, TRUE);
    ForceForeground(m_hWnd);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

bool CVersionInfoDlg::OnPaint()
{
    fw::ScopedPaint paint(m_hWnd);
    m_pSkin->GetSlotImage(0)->Draw(m_hWnd, paint.get());
    return true;
}

bool CVersionInfoDlg::OnEraseBackground(HDC dc)
{
    m_pSkin->GetSlotImage(0)->Draw(m_hWnd, dc);
    return true;
}

bool CVersionInfoDlg::OnLButtonDown(POINT point, UINT)
{
    if (point.y >= kDragBandHeight)
        return true; // the rest of the surface ignores presses
    m_pDrag->Start(m_hWnd, point.x, point.y);
    return false;
}

bool CVersionInfoDlg::OnMouseMove(POINT point, UINT keys)
{
    m_pDrag->Move(m_hWnd, point.x, point.y, keys);
    return false;
}

bool CVersionInfoDlg::OnLButtonUp(POINT, UINT)
{
    m_pDrag->Stop();
    return false;
}

bool CVersionInfoDlg::OnButtonClicked(int id)
{
    if (id == IDC_CLOSE) {
        OnOK();
        return true;
    }
    return fw::CDialog::OnButtonClicked(id);
}
