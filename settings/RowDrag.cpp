#include "RowDrag.h"

#include <commctrl.h>

#include <utility>

namespace {
const UINT kScrollPeriodMs = 100;

// The image is drawn over the whole desktop, so it can leave the list.
HWND Desktop()
{
    return ::GetDesktopWindow();
}
} // namespace

CRowDrag::CRowDrag(HWND list, fw::UniqueImageList image, POINT hotSpot, POINT at, std::vector<int> rows)
    : m_hList(list), m_hImage(std::move(image)), m_rows(std::move(rows))
{
    ::ImageList_BeginDrag(m_hImage.get(), 0, hotSpot.x, hotSpot.y);
    ::ImageList_DragEnter(Desktop(), at.x, at.y);
    ::SetCapture(m_hList);
}

CRowDrag::~CRowDrag()
{
    m_bEnding = true;
    StopScrolling();
    ::ReleaseCapture();
    ::ImageList_DragLeave(Desktop());
    ::ImageList_EndDrag();
}

void CRowDrag::MoveImage(POINT screen) const
{
    ::ImageList_DragMove(screen.x, screen.y);
}

void CRowDrag::HideImage() const
{
    ::ImageList_DragLeave(Desktop());
}

void CRowDrag::ShowImage(POINT screen) const
{
    ::ImageList_DragEnter(Desktop(), screen.x, screen.y);
}

void CRowDrag::ScrollWith(UINT_PTR timerId)
{
    if (m_nTimer == timerId)
        return;
    StopScrolling();
    m_nTimer = ::SetTimer(m_hList, timerId, kScrollPeriodMs, nullptr);
}

void CRowDrag::StopScrolling()
{
    if (m_nTimer != 0)
        ::KillTimer(m_hList, std::exchange(m_nTimer, 0));
}
