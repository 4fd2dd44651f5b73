#include "SkinCheckButton.h"

#include "SkinButton.h"

void CSkinCheckButton::SetCheckBitmaps(HMODULE module, UINT unchecked, UINT checked, UINT disabled, int dpi)
{
    m_bChecked = true;
    MakeOwnerDrawnAndFit(m_hWnd, m_bitmaps, module, {checked, unchecked, 0, disabled, 0}, dpi);
}

void CSkinCheckButton::SetCheck(bool checked)
{
    ::SendMessageA(m_hWnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    m_bChecked = checked;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CSkinCheckButton::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    HBITMAP checked = m_bitmaps.Get(1);
    if (!checked) {
        FillMissingBitmap(item);
        return true;
    }
    int position = (item.itemState & ODS_DISABLED) ? 4 : (m_bChecked ? 1 : 2);
    HBITMAP chosen = m_bitmaps.Get(position);
    const BITMAP& size = m_bitmaps.Size();
    BlitBitmap(item.hDC, chosen ? chosen : checked, size.bmWidth, size.bmHeight);
    return true;
}
