#include "PixelHelpers.h"

#include "framework/GdiGuards.h"

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : m_nWidth(width), m_nHeight(height)
{
    m_hDC = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_hBitmap.reset(::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pBits = static_cast<const DWORD*>(bits);
    m_hOld = ::SelectObject(m_hDC, m_hBitmap.get());
    fw::UniqueBrush brush(::CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    ::FillRect(m_hDC, &all, brush.get());
}

PixelCanvas::~PixelCanvas()
{
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteDC(m_hDC);
}

COLORREF PixelCanvas::At(int x, int y) const
{
    ::GdiFlush();
    DWORD quad = m_pBits[y * m_nWidth + x];
    return RGB((quad >> 16) & 0xFF, (quad >> 8) & 0xFF, quad & 0xFF);
}

void RenderThroughParent(HWND parent, HWND control, UINT state, PixelCanvas& canvas)
{
    DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(::GetDlgCtrlID(control)), 0, ODA_DRAWENTIRE, state, control,
                        canvas.dc(), RECT{0, 0, canvas.width(), canvas.height()}, 0};
    ::SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}
