#include "SkinWindow.h"

#include "ForceForeground.h"
#include "framework/GdiGuards.h"
#include "support/ResourceLibrary.h"

CSkinWindow::CSkinWindow(UINT templateId, HWND parent, int dragBandHeight, HINSTANCE resources)
    : fw::CDialog(templateId, parent, resources), m_nDragBand(dragBandHeight)
{
}

void CSkinWindow::LoadSkin(UINT bitmapId)
{
    m_images.SetImage(m_hWnd, 0, bitmapId);
}

SIZE CSkinWindow::SkinSize() const
{
    const BITMAP skin = m_images.GetSlotImage(0)->GetBitmapInfo();
    return SIZE{skin.bmWidth, skin.bmHeight};
}

void CSkinWindow::FitToSkin(int extraHeight)
{
    const SIZE size = SkinSize();
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    ::MoveWindow(m_hWnd, rect.left, rect.top, size.cx, size.cy + extraHeight, TRUE);
}

void CSkinWindow::HideFromTaskbar()
{
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}

void CSkinWindow::ShowInFront()
{
    ForceForeground(m_hWnd);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CSkinWindow::OnPaint()
{
    fw::ScopedPaint paint(m_hWnd);
    Skin().Draw(m_hWnd, paint.get());
    return true;
}

bool CSkinWindow::OnEraseBackground(HDC dc)
{
    Skin().Draw(m_hWnd, dc);
    return true;
}

bool CSkinWindow::OnLButtonDown(POINT point, UINT)
{
    if (m_nDragBand != kDragAnywhere && point.y >= m_nDragBand)
        return true; // the rest of the surface ignores presses
    m_drag.Start(m_hWnd, point.x, point.y);
    return false;
}

bool CSkinWindow::OnMouseMove(POINT point, UINT keys)
{
    m_drag.Move(m_hWnd, point.x, point.y, keys);
    return false;
}

bool CSkinWindow::OnLButtonUp(POINT, UINT)
{
    m_drag.Stop();
    return false;
}

void CSkinWindow::NameControl(const fw::CWnd& control, UINT textId, const char* fallback)
{
    const std::string name = LibraryTextOr(textId, fallback);
    if (!name.empty())
        ::SetWindowTextA(control.GetSafeHwnd(), name.c_str());
}
