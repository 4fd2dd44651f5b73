// Rendering into a 32-bit top-down DIB and reading its pixels back, for tests
// that check what is drawn rather than which calls were made.
#pragma once

#include <windows.h>

#include <vector>

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const;
    bool Contains(COLORREF color, const RECT& area) const;
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};

// Draws a control through its parent's WM_DRAWITEM, as the system would,
// into the canvas at its origin.
void RenderThroughParent(HWND parent, HWND control, UINT state, PixelCanvas& canvas, int width, int height);

// Copies what the screen shows of a window into the canvas.
void CaptureWindow(HWND window, PixelCanvas& canvas);

// Writes the canvas as a 32-bit BMP file.
bool SaveBitmapFile(const PixelCanvas& canvas, const char* path);

// A pixel of a bottom-up 32-bit DIB section as the skin images hold them.
COLORREF BottomUpPixel(const void* bits, int width, int height, int x, int y);
