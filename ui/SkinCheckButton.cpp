#include "SkinCheckButton.h"

#include "SkinButton.h"

bool CSkinCheckButton::SetCheckBitmaps(HMODULE module, UINT unchecked, UINT checked, UINT disabled)
{
    m_bChecked = 1;
    MakeOwnerDrawnAndFit(m_hWnd, m_bitmaps, module, {checked, unchecked, 0, disabled, 0});
    return true;
}

void CSkinCheckButton::SetCheck(int state)
{
    ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    m_bChecked = state;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CSkinCheckButton::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_DRAWITEM)
        return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    result = TRUE;
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
