// CAppListCtrl's drag and drop: the composed image of the selected rows rides
// 12 pixels above the cursor, a red line marks where they will land, the list
// scrolls while the cursor is held above or below it, and the release moves
// the rows. A drag starts without a target; released so, it moves nothing.
#include "AppListCtrl.h"

#include "framework/GdiGuards.h"

namespace {
const int kRideAbove = 12;
} // namespace

void CAppListCtrl::BeginRowDrag(const NMLISTVIEW& start)
{
    std::vector<int> rows = GetSelectedRows();
    if (rows.empty())
        return;
    RECT bounds{};
    for (int row : rows) {
        RECT rect{};
        GetItemRect(row, rect, LVIR_BOUNDS);
        ::UnionRect(&bounds, &bounds, &rect);
    }
    fw::UniqueImageList image = BuildDragImage(rows, bounds);
    if (!image)
        return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    POINT at = start.ptAction;
    ::ClientToScreen(m_hWnd, &at);
    m_drag.emplace(m_hWnd, std::move(image), POINT{cursor.x - bounds.left, cursor.y - bounds.top}, at, std::move(rows));
}

fw::UniqueImageList CAppListCtrl::BuildDragImage(const std::vector<int>& rows, const RECT& bounds) const
{
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    fw::ScopedWindowDC client(m_hWnd);
    fw::ScopedMemoryDC memory(client.get());
    fw::UniqueBitmap picture(::CreateCompatibleBitmap(client.get(), width, height));
    if (!memory.get() || !picture || width <= 0 || height <= 0)
        return fw::UniqueImageList();
    {
        // The rows as the list draws them, on a background the mask removes.
        fw::ScopedSelect select(memory.get(), picture.get());
        fw::UniqueBrush back(::CreateSolidBrush(kDragBack));
        RECT all{0, 0, width, height};
        ::FillRect(memory.get(), &all, back.get());
        for (int row : rows) {
            RECT rect{};
            if (!GetItemRect(row, rect, LVIR_BOUNDS))
                continue;
            ::OffsetRect(&rect, -bounds.left, -bounds.top);
            DrawRow(memory.get(), row, rect, true, true);
        }
    }
    fw::UniqueImageList image(::ImageList_Create(width, height, ILC_MASK | ILC_COLOR32, 0, 1));
    if (image && ::ImageList_AddMasked(image.get(), picture.get(), kDragBack) < 0)
        image.reset();
    return image;
}

bool CAppListCtrl::OnMouseMove(POINT point, UINT)
{
    if (IsDragging())
        DragTo(point);
    return false;
}

bool CAppListCtrl::OnLButtonUp(POINT, UINT)
{
    if (IsDragging()) {
        const std::vector<int> rows = m_drag->Rows();
        const int marker = m_drag->Marker();
        m_drag.reset();
        DropRows(rows, marker);
        m_bEndingDrag = true;
    }
    DefaultWithoutCheckToggle();
    m_bEndingDrag = false;
    return true;
}

bool CAppListCtrl::OnCaptureChanged(HWND newCapture)
{
    if (IsDragging() && newCapture != m_hWnd)
        m_drag.reset();
    return false;
}

bool CAppListCtrl::OnCancelMode()
{
    if (IsDragging())
        m_drag.reset();
    return false;
}

void CAppListCtrl::DragTo(POINT point)
{
    POINT riding{point.x, point.y - Px(kRideAbove)};
    POINT screen = riding;
    ::ClientToScreen(m_hWnd, &screen);
    m_drag->MoveImage(screen);
    m_drag->HideImage();
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    if (::WindowFromPoint(POINT{window.left + Px(8), screen.y}) == m_hWnd)
        SetDropMarker(HitTest(POINT{Px(8), riding.y}));

    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int top = client.top;
    HWND header = GetHeader();
    if (header && ::IsWindowVisible(header)) {
        RECT headerRect{};
        ::GetClientRect(header, &headerRect);
        top += headerRect.bottom;
    }
    if (riding.y < top)
        m_drag->ScrollWith(kScrollUpTimer);
    else if (riding.y > client.bottom)
        m_drag->ScrollWith(kScrollDownTimer);
    else
        m_drag->StopScrolling();
    m_drag->ShowImage(screen);
}

void CAppListCtrl::SetDropMarker(int row)
{
    ::ImageList_DragShowNolock(FALSE);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    const int count = GetItemCount();
    // Above the first row only while the cursor is above the list.
    if ((row >= 0 && row < count) || (row == -1 && cursor.y <= 0)) {
        if (row >= 0) {
            RedrawItems(row, row);
            ::UpdateWindow(m_hWnd);
        }
        const int old = m_drag->Marker();
        if (old != settings::kNoDropTarget)
            for (int around : {old - 1, old, old + 1}) {
                if ((around == old - 1 && old <= 0) || (around == old + 1 && old >= count - 1))
                    continue;
                DrawRowLine(around, GetBkColor(), Px(2));
                DrawRowLine(around, kSeparator, Px(1));
            }
        m_drag->SetMarker(row);
        DrawRowLine(row, kMark, Px(2));
        ::UpdateWindow(m_hWnd);
    }
    ::ImageList_DragShowNolock(TRUE);
}

void CAppListCtrl::DrawRowLine(int row, COLORREF color, int width) const
{
    // Straight onto the window: any repaint removes it. Nothing is drawn
    // where no row is.
    RECT rect{};
    if (!GetItemRect(row < 0 ? 0 : row, rect, LVIR_BOUNDS))
        return;
    const int y = row < 0 ? rect.top : rect.bottom;
    fw::ScopedWindowDC dc(m_hWnd);
    fw::UniquePen pen(::CreatePen(PS_SOLID, width, color));
    fw::ScopedSelect select(dc.get(), pen.get());
    ::MoveToEx(dc.get(), rect.left, y, nullptr);
    ::LineTo(dc.get(), rect.right, y);
}

bool CAppListCtrl::OnTimer(UINT_PTR id)
{
    if (id != kScrollUpTimer && id != kScrollDownTimer)
        return false;
    ScrollOneLine(id == kScrollUpTimer ? -1 : 1);
    return true;
}

void CAppListCtrl::ScrollOneLine(int step)
{
    const int count = GetItemCount();
    if (count > 0)
        RedrawItems(0, count - 1);
    ::UpdateWindow(m_hWnd);
    ::SendMessageA(m_hWnd, WM_VSCROLL, MAKEWPARAM(step < 0 ? SB_LINEUP : SB_LINEDOWN, 0), 0);
    if (IsDragging() && m_drag->Marker() != settings::kNoDropTarget)
        SetDropMarker(m_drag->Marker() + step);
}

void CAppListCtrl::DropRows(const std::vector<int>& rows, int marker)
{
    MoveRows(settings::DropMoves(GetItemCount(), rows, marker));
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
