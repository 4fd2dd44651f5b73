#include "DragTracker.h"

void CDragTracker::Start(HWND window, int x, int y)
{
    m_x = x;
    m_y = y;
    ::SetCapture(window);
}

void CDragTracker::Move(HWND window, int x, int y, UINT keys)
{
    // Only the left button, without other buttons or modifier keys.
    if (keys != MK_LBUTTON || m_x < 0 || m_y < 0)
        return;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::SetWindowPos(window, HWND_TOP, x - m_x + rect.left, y - m_y + rect.top, 0, 0, SWP_NOSIZE);
}

void CDragTracker::Stop()
{
    ::ReleaseCapture();
    m_x = -1;
    m_y = -1;
}
