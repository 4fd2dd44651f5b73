#include "SkinWindow.h"

#include "ForceForeground.h"
#include "WindowDpi.h"
#include "framework/GdiGuards.h"
#include "support/ResourceLibrary.h"

CSkinWindow::CSkinWindow(UINT templateId, HWND parent, int dragBandHeight, HINSTANCE resources)
    : fw::CDialog(templateId, parent, resources), m_nDragBand(dragBandHeight)
{
}

int CSkinWindow::Dpi() const
{
    if (m_nDpi == 0) {
        const auto* owner = dynamic_cast<const CSkinWindow*>(fw::CWnd::FromHandle(::GetWindow(m_hWnd, GW_OWNER)));
        m_nDpi = owner && owner != this ? owner->Dpi() : ui::WindowDpi(m_hWnd);
    }
    return m_nDpi;
}

void CSkinWindow::PlaceControl(const fw::CWnd& control, int x, int y, bool toTop) const
{
    ::SetWindowPos(control.GetSafeHwnd(), HWND_TOP, Px(x), Px(y), 0, 0, SWP_NOSIZE | (toTop ? 0 : SWP_NOZORDER));
}

HMODULE CSkinWindow::Library()
{
    return g_pResourceLibrary ? g_pResourceLibrary->GetHandle() : nullptr;
}

void CSkinWindow::LoadSkin(UINT bitmapId)
{
    ui::KeepDialogFromSystemScaling(m_hWnd);
    m_images.SetImage(m_hWnd, 0, bitmapId, Dpi());
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
    ::MoveWindow(m_hWnd, rect.left, rect.top, size.cx, size.cy + Px(extraHeight), TRUE);
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

bool CSkinWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_DPICHANGED)
        return fw::CDialog::OnMessage(msg, wParam, lParam, result);
    m_nDpi = ui::SaneDpi(LOWORD(wParam));
    OnScaleChanged();
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    result = 0;
    return true;
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
    if (m_nDragBand != kDragAnywhere && point.y >= Px(m_nDragBand))
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
