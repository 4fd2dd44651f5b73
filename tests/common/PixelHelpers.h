// Rendering into a 32-bit top-down DIB and reading its pixels back, for tests
// that check what is drawn rather than which calls were made.
#pragma once

#include "framework/GdiGuards.h"
#include "framework/Handle.h"

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill) : m_nWidth(width), m_nHeight(height)
    {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_hBitmap.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_pBits = static_cast<const DWORD*>(bits);
        m_hOld = ::SelectObject(m_dc.get(), m_hBitmap.get());
        fw::UniqueBrush brush(::CreateSolidBrush(fill));
        RECT all{0, 0, width, height};
        ::FillRect(m_dc.get(), &all, brush.get());
    }
    ~PixelCanvas() { ::SelectObject(m_dc.get(), m_hOld); }

    HDC dc() const { return m_dc.get(); }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD quad = m_pBits[y * m_nWidth + x];
        return RGB((quad >> 16) & 0xFF, (quad >> 8) & 0xFF, quad & 0xFF);
    }
    // Draws a control, or one item of it, through its parent's WM_DRAWITEM as
    // the system would, at the canvas's origin.
    void DrawThroughParent(HWND parent, HWND control, UINT state, UINT type = ODT_BUTTON, UINT item = 0)
    {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(control));
        DRAWITEMSTRUCT draw{type, id, item, ODA_DRAWENTIRE, state, control, dc(), RECT{0, 0, m_nWidth, m_nHeight}, 0};
        ::SendMessageA(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    }

private:
    int m_nWidth;
    int m_nHeight;
    fw::ScopedMemoryDC m_dc{nullptr};
    fw::UniqueBitmap m_hBitmap;
    HGDIOBJ m_hOld;
    const DWORD* m_pBits = nullptr;
};
