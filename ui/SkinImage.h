// One skin bitmap, held as a 32-bit DIB section that the image owns. Fixed
// texts are drawn into it once; a paint is then one block copy.
#pragma once

#include "framework/Handle.h"

class CSkinFont;

class CSkinImage {
public:
    // Replaces the content with a bitmap of the module at a DPI; a missing
    // id leaves the image empty.
    void LoadFromResource(HWND window, HMODULE module, UINT bitmapId, int dpi = 96);
    bool CreateDib(HWND window, int width, int height);
    void CopyFromBitmap(HWND window, HBITMAP source, int x, int y, int width, int height);
    void Draw(HWND window, HDC target) const;
    void Clear();

    void DrawLabel(HWND window, const char* text, int x, int y, int width, int height, const CSkinFont* font,
                   COLORREF textColor, COLORREF backColor, UINT format);
    void DrawLabelTransparent(HWND window, const char* text, int x, int y, int width, int height, const CSkinFont* font,
                              COLORREF textColor, UINT format)
    {
        DrawLabel(window, text, x, y, width, height, font, textColor, 0, format);
    }

    BITMAP GetBitmapInfo() const { return m_bitmap; }
    HBITMAP GetHandle() const { return m_hBitmap.get(); }
    void* GetBits() const { return m_pBits; }
    bool IsCreated() const { return m_bCreated; }

private:
    fw::UniqueBitmap m_hBitmap;
    BITMAP m_bitmap{};
    void* m_pBits = nullptr;
    bool m_bCreated = false;
};
