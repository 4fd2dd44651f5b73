// Moves a captionless window while the left mouse button is held on it. The
// press point is kept in client coordinates; -1, -1 means no drag.
#pragma once

#include <windows.h>

class CDragTracker {
public:
    void Start(HWND window, int x, int y);
    void Move(HWND window, int x, int y, UINT keys);
    void Stop();

private:
    int m_nX = -1;
    int m_nY = -1;
};
