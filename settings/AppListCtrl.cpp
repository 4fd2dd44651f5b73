// CAppListCtrl: rows, their drawing, the check boxes and row moves. The drag
// and drop lives in AppListDrag.cpp.
#include "AppListCtrl.h"

#include "framework/GdiGuards.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
// Check mark, as offsets from the row's top-left corner.
const POINT kTick[] = {{5, 6}, {7, 8}, {11, 4}, {11, 5}, {7, 9}, {5, 7}, {5, 8}, {7, 10}, {12, 5}};
const UINT kRowText = DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX;

void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    fw::UniqueBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush.get());
}

void Frame(HDC dc, const RECT& rect, COLORREF color)
{
    fw::UniqueBrush brush(::CreateSolidBrush(color));
    ::FrameRect(dc, &rect, brush.get());
}

HFONT FontOf(HWND window)
{
    auto font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}
} // namespace

CAppListCtrl::~CAppListCtrl()
{
    // While the window can still take the capture's release.
    m_drag.reset();
}

bool CAppListCtrl::OnMeasureItem(MEASUREITEMSTRUCT& item)
{
    LOGFONTA font{};
    ::GetObjectA(FontOf(m_hWnd), sizeof font, &font);
    item.itemHeight = static_cast<UINT>(std::abs(font.lfHeight) + Px(6));
    return true;
}

bool CAppListCtrl::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    const bool entire = (item.itemAction & ODA_DRAWENTIRE) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT));
    DrawRow(item.hDC, static_cast<int>(item.itemID), item.rcItem, selected, entire);
    return true;
}

void CAppListCtrl::DrawRow(HDC dc, int row, const RECT& rect, bool selected, bool entire) const
{
    const int left = rect.left;
    const int top = rect.top;
    ::SetBkMode(dc, TRANSPARENT);
    if (entire)
        Fill(dc, rect, GetBkColor());
    if (selected)
        Fill(dc, rect, kSelectedBack);

    fw::ScopedSelect font(dc, FontOf(m_hWnd));
    ::SetTextColor(dc, RGB(0, 0, 0));
    std::string text = GetItemText(row, 0);
    RECT textRect{left + Px(21), top, rect.right - Px(21), rect.bottom};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, kRowText);

    // Lines one pixel wide at 100 % are as wide as the scale makes a pixel.
    const int line = Px(1);
    for (int y = rect.bottom - line; y < rect.bottom; ++y)
        Fill(dc, RECT{0, y, rect.right - Px(21), y + 1}, kSeparator);

    const RECT box{left + Px(2), top + Px(2), left + Px(15), top + Px(15)};
    Fill(dc, box, kBoxInside);
    for (int ring = 0; ring < line; ++ring)
        Frame(dc, RECT{box.left + ring, box.top + ring, box.right - ring, box.bottom - ring}, kBoxOuterFrame);
    for (int ring = 0; ring < line; ++ring)
        Frame(dc,
              RECT{box.left + line + ring, box.top + line + ring, box.right - line - ring, box.bottom - line - ring},
              kBoxInnerFrame);
    if (GetCheck(row)) {
        POINT tick[sizeof kTick / sizeof kTick[0]];
        for (std::size_t i = 0; i < sizeof kTick / sizeof kTick[0]; ++i)
            tick[i] = POINT{left + Px(kTick[i].x), top + Px(kTick[i].y)};
        fw::UniquePen red(::CreatePen(PS_SOLID, line, kMark));
        fw::ScopedSelect pen(dc, red.get());
        ::Polyline(dc, tick, static_cast<int>(sizeof tick / sizeof tick[0]));
    }
}

void CAppListCtrl::SelectRowUnderBox(POINT point, UINT keys)
{
    // The list leaves the selection alone on a click on a box; the click
    // then toggles the selected rows, so an unselected row's box selects
    // that row first, as a click beside the boxes would: alone, added with
    // Ctrl, or the rows from the anchor with Shift. The box clicked is then
    // among the boxes that change.
    const int row = HitTest(point);
    if (row < 0 || !OnBoxes(point.x) || (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        return;
    if (!(keys & MK_CONTROL))
        SetItemState(-1, 0, LVIS_SELECTED);
    int anchor = static_cast<int>(::SendMessageA(m_hWnd, LVM_GETSELECTIONMARK, 0, 0));
    if (!(keys & MK_SHIFT) || anchor < 0 || anchor >= GetItemCount())
        anchor = row;
    for (int selected = std::min(anchor, row); selected <= std::max(anchor, row); ++selected)
        SetItemState(selected, LVIS_SELECTED, LVIS_SELECTED);
    SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    ::SendMessageA(m_hWnd, LVM_SETSELECTIONMARK, 0, anchor);
}

void CAppListCtrl::ToggleSelectedChecks(int x)
{
    if (!OnBoxes(x))
        return;
    for (int row : GetSelectedRows())
        SetRowCheck(row, !GetCheck(row));
}

bool CAppListCtrl::SetRowCheck(int row, bool checked)
{
    // Also from inside a click, whose own toggle is being refused.
    bool refusing = std::exchange(m_bRefuseCheckChanges, false);
    bool done = SetCheck(row, checked);
    m_bRefuseCheckChanges = refusing;
    return done;
}

void CAppListCtrl::MoveRows(const std::vector<settings::RowMove>& moves)
{
    for (const settings::RowMove& move : moves) {
        // The text comes with its own buffer; the item request only takes
        // what has no size.
        std::string text = GetItemText(move.source, 0);
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = move.source;
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED | LVIS_STATEIMAGEMASK;
        ::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const bool checked = GetCheck(move.source);
        const UINT selected = GetItemState(move.source, LVIS_SELECTED);
        SetItemState(move.source, 0, LVIS_SELECTED);

        item.mask |= LVIF_TEXT;
        item.iItem = move.target;
        item.pszText = &text[0];
        int inserted = static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (inserted < 0) {
            // Every later move counts on this one: the list stays as it was.
            SetItemState(move.source, selected, LVIS_SELECTED);
            break;
        }
        // An inserted row starts cleared whatever state it was given.
        if (checked)
            SetRowCheck(inserted, true);
        const int source = settings::SourceAfterInsert(move);
        for (int column = 1; column < GetColumnCount(); ++column)
            SetItemText(inserted, column, GetItemText(source, column));
        DeleteItem(source);
    }
    // The focused row moved under the list's feet: screen readers follow it.
    const int focused =
        static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (::GetFocus() == m_hWnd && focused >= 0)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, focused + 1);
}

bool CAppListCtrl::OnSetFont(HFONT, bool)
{
    Default();
    // The list asks its row height only when it thinks its size changed.
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    WINDOWPOS position{};
    position.hwnd = m_hWnd;
    position.cx = rect.right - rect.left;
    position.cy = rect.bottom - rect.top;
    position.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    ::SendMessageA(m_hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    return true;
}

bool CAppListCtrl::OnSize(UINT, int, int)
{
    Default();
    ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    return true;
}

void CAppListCtrl::DefaultWithoutCheckToggle()
{
    m_bRefuseCheckChanges = true;
    Default();
    m_bRefuseCheckChanges = false;
}

bool CAppListCtrl::OnKeyDown(UINT key, UINT)
{
    // Space toggles the selected rows' checks, as a click on them does;
    // with Ctrl or Shift it keeps the list's meaning for the selection.
    if (key == VK_SPACE && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0) {
        ToggleSelectedChecks(0);
        return true;
    }
    DefaultWithoutCheckToggle();
    return true;
}

bool CAppListCtrl::OnChar(UINT, UINT)
{
    DefaultWithoutCheckToggle();
    return true;
}

bool CAppListCtrl::OnLButtonDown(POINT point, UINT keys)
{
    SelectRowUnderBox(point, keys);
    DefaultWithoutCheckToggle();
    return true;
}

bool CAppListCtrl::OnLButtonDblClk(POINT point, UINT keys)
{
    return OnLButtonDown(point, keys);
}

bool CAppListCtrl::OnReflectedNotify(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case LVN_BEGINDRAG:
        BeginRowDrag(reinterpret_cast<const NMLISTVIEW&>(header));
        result = 0;
        return true;
    case LVN_ITEMCHANGING: {
        // The platform toggles a check box on a click or Space by itself;
        // only this class may change them.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        bool checkChange =
            (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK);
        result = m_bRefuseCheckChanges && checkChange ? TRUE : FALSE;
        return result != FALSE;
    }
    default:
        return false;
    }
}
