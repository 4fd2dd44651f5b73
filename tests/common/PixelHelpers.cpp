#include "PixelHelpers.h"

namespace {
COLORREF FromQuad(DWORD quad)
{
    return RGB((quad >> 16) & 0xFF, (quad >> 8) & 0xFF, quad & 0xFF);
}
} // namespace

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    HBRUSH brush = ::CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
}

PixelCanvas::~PixelCanvas()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF PixelCanvas::At(int x, int y) const
{
    ::GdiFlush();
    return FromQuad(m_bits[y * m_width + x]);
}

bool PixelCanvas::Contains(COLORREF color, const RECT& area) const
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) == color)
                return true;
    return false;
}

COLORREF BottomUpPixel(const void* bits, int width, int height, int x, int y)
{
    const auto* quads = static_cast<const DWORD*>(bits);
    return FromQuad(quads[(height - 1 - y) * width + x]);
}

void RenderThroughParent(HWND parent, HWND control, UINT state, PixelCanvas& canvas, int width, int height)
{
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(::GetDlgCtrlID(control));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = control;
    item.hDC = canvas.dc();
    item.rcItem = RECT{0, 0, width, height};
    ::SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

bool SaveBitmapFile(const PixelCanvas& canvas, const char* path)
{
    ::GdiFlush();
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = canvas.width();
    info.biHeight = -canvas.height();
    info.biPlanes = 1;
    info.biBitCount = 32;
    DWORD bytes = static_cast<DWORD>(canvas.width() * canvas.height() * 4);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    HANDLE out = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    std::vector<DWORD> pixels(static_cast<size_t>(canvas.width() * canvas.height()));
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            COLORREF c = canvas.At(x, y);
            pixels[static_cast<size_t>(y * canvas.width() + x)] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    DWORD written = 0;
    bool ok = ::WriteFile(out, &file, sizeof file, &written, nullptr) && ::WriteFile(out, &info, sizeof info, &written, nullptr) &&
              ::WriteFile(out, pixels.data(), bytes, &written, nullptr);
    ::CloseHandle(out);
    return ok;
}

void CaptureWindow(HWND window, PixelCanvas& canvas)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
}
