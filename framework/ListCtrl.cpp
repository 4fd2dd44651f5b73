#include "ListCtrl.h"

#include <commctrl.h>

namespace fw {

namespace {
const UINT kCheckMask = LVIS_STATEIMAGEMASK;
const UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
const UINT kCleared = INDEXTOSTATEIMAGEMASK(1);
} // namespace

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

std::string CListCtrl::GetItemText(int row, int column) const
{
    // The control copies at most the buffer less its zero: grow until the
    // text fits with room to spare.
    for (int size = 256;; size *= 4) {
        std::string text(static_cast<std::size_t>(size), '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = size;
        int length = static_cast<int>(
            ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length < size - 1 || size >= 1 << 20) {
            text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
            return text;
        }
    }
}

bool CListCtrl::SetItemText(int row, int column, const std::string& text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    return ::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

int CListCtrl::InsertRow(int row, const std::string& text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::DeleteItem(int row)
{
    return ::SendMessageA(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0) != 0;
}

UINT CListCtrl::GetItemState(int row, UINT mask) const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

bool CListCtrl::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return ::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::GetCheck(int row) const
{
    return GetItemState(row, kCheckMask) == kChecked;
}

bool CListCtrl::SetCheck(int row, bool checked)
{
    return SetItemState(row, checked ? kChecked : kCleared, kCheckMask);
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

int CListCtrl::GetSelectedCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<int> CListCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

int CListCtrl::HitTest(POINT point) const
{
    LVHITTESTINFO info{};
    info.pt = point;
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

bool CListCtrl::GetItemRect(int row, RECT& rect, int code) const
{
    rect = RECT{code, 0, 0, 0};
    return ::SendMessageA(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) != 0;
}

bool CListCtrl::EnsureVisible(int row, bool partialOk)
{
    return ::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk ? TRUE : FALSE) != 0;
}

void CListCtrl::RedrawItems(int first, int last)
{
    ::SendMessageA(m_hWnd, LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0));
}

COLORREF CListCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0));
}

void CListCtrl::SetBkColor(COLORREF color)
{
    ::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void CListCtrl::SetExtendedStyle(DWORD style)
{
    ::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width)
{
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<char*>(heading);
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

HWND CListCtrl::GetHeader() const
{
    return reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
}

int CListCtrl::GetColumnCount() const
{
    HWND header = GetHeader();
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
}

} // namespace fw
