#include "DragTracker.h"

void CDragTracker::Start(HWND window, int x, int y)
{
    m_nX = x;
    m_nY = y;
    ::SetCapture(window);
}

void CDragTracker::Move(HWND window, int x, int y, UINT keys)
{
    // Only the left button, without other buttons or modifier keys.
    if (keys != MK_LBUTTON || m_nX < 0 || m_nY < 0)
        return;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::SetWindowPos(window, HWND_TOP, x - m_nX + rect.left, y - m_nY + rect.top, 0, 0, SWP_NOSIZE);
}

void CDragTracker::Stop()
{
    ::ReleaseCapture();
    m_nX = -1;
    m_nY = -1;
}
