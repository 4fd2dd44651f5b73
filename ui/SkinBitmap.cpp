#include "SkinBitmap.h"

#include "AreaScaler.h"
#include "DisplayScale.h"
#include "SmoothEnlarge.h"
#include "framework/GdiGuards.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {
fw::UniqueBitmap LoadBitmapResource(HMODULE module, UINT id)
{
    // LR_SHARED bitmaps must not be deleted by us; LR_CREATEDIBSECTION alone
    // gives a private copy that we own.
    return fw::UniqueBitmap(
        static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE SizeOf(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

BITMAPINFO TopDown32(SIZE size)
{
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = size.cx;
    header.bmiHeader.biHeight = -size.cy;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    return header;
}

std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, SIZE size)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) * size.cy);
    BITMAPINFO header = TopDown32(size);
    fw::ScopedWindowDC screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &header, DIB_RGB_COLORS) !=
        size.cy)
        pixels.clear();
    return pixels;
}

fw::UniqueBitmap BitmapOf(const std::vector<std::uint32_t>& pixels, SIZE size)
{
    BITMAPINFO header = TopDown32(size);
    void* bits = nullptr;
    fw::ScopedWindowDC screen(nullptr);
    fw::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return fw::UniqueBitmap();
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    ::GdiFlush();
    return bitmap;
}

// The picture at exactly the target size: averaged where it is larger on
// both sides, blended where it is smaller on either.
fw::UniqueBitmap Resized(HBITMAP source, SIZE target)
{
    const SIZE size = SizeOf(source);
    std::vector<std::uint32_t> pixels = PixelsOf(source, size);
    if (pixels.empty())
        return fw::UniqueBitmap();
    if (size.cx >= target.cx && size.cy >= target.cy) {
        ui::AreaScaler scaler(size.cx, size.cy, target.cx, target.cy);
        for (int y = 0; y < size.cy; ++y)
            scaler.AddRow(pixels.data() + static_cast<std::size_t>(y) * size.cx);
        return BitmapOf(scaler.Pixels(), target);
    }
    return BitmapOf(ui::EnlargeSmoothly(pixels, size.cx, size.cy, target.cx, target.cy), target);
}
} // namespace

fw::UniqueBitmap LoadSkinBitmap(HMODULE module, UINT bitmapId, int dpi)
{
    const UINT id = LOWORD(bitmapId);
    if (!module || id == 0)
        return fw::UniqueBitmap();
    fw::UniqueBitmap plain = LoadBitmapResource(module, id);
    const SIZE plainSize = SizeOf(plain.get());
    if (!plain || plainSize.cx == 0 || ui::ArtFitsDpi(100, dpi))
        return plain;
    const SIZE target{ui::ScaleToDpi(plainSize.cx, dpi), ui::ScaleToDpi(plainSize.cy, dpi)};
    // The nearest set at least as large; a library without it may still
    // have a larger one. Below 100 % the plain bitmap is the nearest.
    const int nearest = ui::ArtPercentForDpi(dpi);
    for (int percent : ui::kArtPercents) {
        if (nearest == 100 || percent < nearest)
            continue;
        fw::UniqueBitmap drawn = LoadBitmapResource(module, ui::ArtIdAtPercent(id, percent));
        const SIZE size = SizeOf(drawn.get());
        if (size.cx == target.cx && size.cy == target.cy)
            return drawn;
        fw::UniqueBitmap resized = size.cx > 0 ? Resized(drawn.get(), target) : fw::UniqueBitmap();
        if (resized)
            return resized;
    }
    fw::UniqueBitmap resized = Resized(plain.get(), target);
    return resized ? std::move(resized) : std::move(plain);
}
