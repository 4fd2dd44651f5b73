#include "ImageFile.h"

#include "AreaScaler.h"
#include "framework/ComPtr.h"
#include "framework/GdiGuards.h"
#include "framework/Utf16Text.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
// Larger pictures would take long to read on the window's thread.
const UINT kMaxPictureSide = 8192;
} // namespace

CPicture LoadPictureFile(const std::string& path, int maxWidth, int maxHeight)
{
    CPicture picture;
    fw::ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.receiveVoid())))
        return picture;
    fw::ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(fw::WideText(path.c_str(), -1, CP_ACP).data(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.receive())))
        return picture;
    fw::ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(decoder->GetFrame(0, frame.receive())) || FAILED(frame->GetSize(&width, &height)) || !width || !height)
        return picture;
    double scale = std::min({1.0, double(maxWidth) / width, double(maxHeight) / height});
    fw::ComPtr<IWICFormatConverter> converter;
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        FAILED(factory->CreateFormatConverter(converter.receive())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return picture;
    ui::AreaScaler scaler(static_cast<int>(width), static_cast<int>(height), static_cast<int>(width * scale + 0.5),
                          static_cast<int>(height * scale + 0.5));
    std::vector<std::uint32_t> row(width);
    const UINT stride = width * 4;
    for (INT y = 0; y < static_cast<INT>(height); ++y) {
        WICRect line{0, y, static_cast<INT>(width), 1};
        if (FAILED(converter->CopyPixels(&line, stride, stride, reinterpret_cast<BYTE*>(row.data()))))
            return picture;
        scaler.AddRow(row.data());
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = scaler.TargetWidth();
    info.bmiHeader.biHeight = -scaler.TargetHeight();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    fw::ScopedWindowDC screen(nullptr);
    fw::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return picture;
    std::copy(scaler.Pixels().begin(), scaler.Pixels().end(), static_cast<std::uint32_t*>(bits));
    picture.bitmap = std::move(bitmap);
    picture.width = scaler.TargetWidth();
    picture.height = scaler.TargetHeight();
    return picture;
}

void DrawPicture(HDC target, const CPicture& picture, const RECT& box)
{
    if (!picture)
        return;
    fw::ScopedMemoryDC memory(target);
    fw::ScopedSelect select(memory.get(), picture.bitmap.get());
    int x = box.left + (box.right - box.left - picture.width) / 2;
    int y = box.top + (box.bottom - box.top - picture.height) / 2;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // gdi32's own: the blending library would be one more to load.
    ::GdiAlphaBlend(target, x, y, picture.width, picture.height, memory.get(), 0, 0, picture.width, picture.height,
                    blend);
}
