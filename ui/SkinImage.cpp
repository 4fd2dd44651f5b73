#include "SkinImage.h"

#include "SkinBitmap.h"
#include "SkinFont.h"
#include "framework/GdiGuards.h"
#include "framework/Handle.h"

#include <cstring>

void CSkinImage::Clear()
{
    m_hBitmap.reset();
    m_pBits = nullptr;
    m_bitmap = BITMAP{};
    m_bCreated = false;
}

void CSkinImage::LoadFromResource(HWND window, HMODULE module, UINT bitmapId, int dpi)
{
    Clear();
    fw::UniqueBitmap loaded = LoadSkinBitmap(module, bitmapId, dpi);
    if (!loaded)
        return;
    BITMAP info{};
    if (!::GetObjectA(loaded.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return;
    if (!CreateDib(window, info.bmWidth, info.bmHeight))
        return;
    CopyFromBitmap(window, loaded.get(), 0, 0, info.bmWidth, info.bmHeight);
}

bool CSkinImage::CreateDib(HWND window, int width, int height)
{
    Clear();
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height; // bottom-up rows
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    fw::ScopedWindowDC dc(window);
    m_hBitmap.reset(::CreateDIBSection(dc.get(), &header, DIB_RGB_COLORS, &m_pBits, nullptr, 0));
    if (!m_hBitmap) {
        m_pBits = nullptr;
        return false;
    }
    ::GetObjectA(m_hBitmap.get(), sizeof m_bitmap, &m_bitmap);
    m_bCreated = true;
    return true;
}

void CSkinImage::CopyFromBitmap(HWND window, HBITMAP source, int x, int y, int width, int height)
{
    if (!m_hBitmap || !source)
        return;
    fw::ScopedWindowDC dc(window);
    fw::ScopedMemoryDC from(dc.get());
    fw::ScopedMemoryDC to(dc.get());
    fw::ScopedSelect selectFrom(from.get(), source);
    fw::ScopedSelect selectTo(to.get(), m_hBitmap.get());
    ::BitBlt(to.get(), x, y, width, height, from.get(), 0, 0, SRCCOPY);
}

void CSkinImage::Draw(HWND window, HDC target) const
{
    if (!m_hBitmap || !target)
        return;
    fw::ScopedWindowDC dc(window);
    fw::ScopedMemoryDC from(dc.get());
    fw::ScopedSelect select(from.get(), m_hBitmap.get());
    ::BitBlt(target, 0, 0, m_bitmap.bmWidth, m_bitmap.bmHeight, from.get(), 0, 0, SRCCOPY);
}

void CSkinImage::DrawLabel(HWND window, const char* text, int x, int y, int width, int height, const CSkinFont* font,
                           COLORREF textColor, COLORREF backColor, UINT format)
{
    if (!m_hBitmap || !text)
        return;
    fw::ScopedWindowDC dc(window);
    fw::ScopedMemoryDC memory(dc.get());
    fw::ScopedSelect selectBitmap(memory.get(), m_hBitmap.get());
    fw::ScopedSelect selectFont(memory.get(), font ? font->GetHandle() : nullptr);
    // 0 means "no fill": black can therefore not be a fill colour.
    if (backColor == 0)
        ::SetBkMode(memory.get(), TRANSPARENT);
    else
        ::SetBkColor(memory.get(), backColor);
    RECT rect{x, y, x + width, y + height + 4};
    ::SetTextColor(memory.get(), textColor);
    ::DrawTextA(memory.get(), text, static_cast<int>(std::strlen(text)), &rect, format);
    ::GdiFlush();
}
