// Rendering into a 32-bit top-down DIB and reading its pixels back, for tests
// that check what is drawn rather than which calls were made.
#pragma once

#include "framework/Handle.h"

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return m_hDC; }
    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }
    COLORREF At(int x, int y) const;

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hDC;
    fw::UniqueBitmap m_hBitmap;
    HGDIOBJ m_hOld;
    const DWORD* m_pBits = nullptr;
};

// Draws a control through its parent's WM_DRAWITEM, as the system would,
// into the canvas at its origin.
void RenderThroughParent(HWND parent, HWND control, UINT state, PixelCanvas& canvas);
