#include "SkinButton.h"

#include "DisplayScale.h"
#include "framework/GdiGuards.h"

#include <commctrl.h>

namespace {
const UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
}

void MakeOwnerDrawnAndFit(HWND button, CStateBitmaps& bitmaps, HMODULE module, const std::array<UINT, 5>& ids, int dpi)
{
    LONG style = ::GetWindowLongA(button, GWL_STYLE);
    ::SendMessageA(button, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFF) | BS_OWNERDRAW), TRUE);
    bitmaps.Load(module, ids, dpi);
    // Without its normal image the button keeps its size and shows as a
    // grey rectangle, so it stays there to be clicked.
    const BITMAP& size = bitmaps.Size();
    if (!bitmaps.Get(1))
        return;
    RECT rect{};
    ::GetWindowRect(button, &rect);
    POINT topLeft{rect.left, rect.top};
    ::ScreenToClient(::GetParent(button), &topLeft);
    ::MoveWindow(button, topLeft.x, topLeft.y, size.bmWidth, size.bmHeight, TRUE);
}

void FillMissingBitmap(const DRAWITEMSTRUCT& item)
{
    fw::UniqueBrush grey(::CreateSolidBrush(RGB(128, 128, 128)));
    ::FillRect(item.hDC, &item.rcItem, grey.get());
}

const CaptionStyle kPushCaption{0x000000, 0xFFFFFF, 0x000000, 0xBFBFBF, 0xFFFFFF, 10, 5, DT_CENTER | DT_VCENTER};
const CaptionStyle kLabelCaption{0x000000, 0x000000, 0x000000, 0xBFBFBF, 0x000000, 10, 2, DT_LEFT | DT_VCENTER};

void CSkinButton::SetBitmaps(HMODULE module, UINT normal, UINT pressed, UINT focus, UINT disabled, UINT hover, int dpi)
{
    MakeOwnerDrawnAndFit(m_hWnd, m_bitmaps, module, {normal, pressed, focus, disabled, hover}, dpi);
}

void CSkinButton::SetCaption(const std::string& text, const CaptionStyle& style, int dpi)
{
    m_pFont = std::make_unique<CSkinFont>(style.pointSize, dpi);
    m_style = style;
    m_strText = text;
    ::GetClientRect(m_hWnd, &m_rcText);
    const int inset = ui::ScaleToDpi(style.inset, dpi);
    ::InflateRect(&m_rcText, -inset, -inset);
    m_nFormat = style.format;
    // Screen readers read the caption as the button's name.
    if (!text.empty())
        ::SetWindowTextA(m_hWnd, text.c_str());
}

void CSkinButton::Redraw()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
}

bool CSkinButton::OnMouseMove(POINT, UINT)
{
    if (m_bitmaps.Get(5) && !m_bPressed && !m_bHover) {
        m_bHover = true;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        Redraw();
    }
    return false;
}

bool CSkinButton::OnMouseLeave()
{
    m_bHover = false;
    Redraw();
    return true;
}

bool CSkinButton::OnLButtonDown(POINT, UINT)
{
    m_bHover = false;
    m_bPressed = true;
    return false;
}

bool CSkinButton::OnLButtonUp(POINT, UINT)
{
    m_bPressed = false;
    return false;
}

bool CSkinButton::OnKillFocus(HWND)
{
    m_bPressed = false;
    Redraw();
    return false;
}

bool CSkinButton::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    HBITMAP normal = m_bitmaps.Get(1);
    if (!normal) {
        FillMissingBitmap(item);
        return true;
    }
    int position = 1;
    COLORREF color = m_style.normal;
    if (m_bHover) {
        position = 5;
        color = m_style.hover;
    } else if (item.itemState & ODS_SELECTED) {
        position = 2;
        color = m_style.pressed;
    } else if (item.itemState & ODS_FOCUS) {
        position = 3;
        color = m_style.focus;
    } else if (item.itemState & ODS_DISABLED) {
        position = 4;
        color = m_style.disabled;
    }
    // A state without its own bitmap shows the normal one.
    HBITMAP chosen = m_bitmaps.Get(position);
    const BITMAP& size = m_bitmaps.Size();
    BlitBitmap(item.hDC, chosen ? chosen : normal, size.bmWidth, size.bmHeight);

    if (m_strText.empty())
        return true;
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, color);
    fw::ScopedSelect font(item.hDC, m_pFont ? m_pFont->GetHandle() : nullptr);
    RECT measured = m_rcText;
    ::DrawTextA(item.hDC, m_strText.c_str(), -1, &measured, DT_CALCRECT);
    if (measured.right > m_rcText.right)
        m_nFormat = (m_nFormat & ~static_cast<UINT>(DT_SINGLELINE)) | DT_WORDBREAK;
    RECT target = m_rcText;
    ::DrawTextA(item.hDC, m_strText.c_str(), -1, &target, m_nFormat);
    return true;
}
