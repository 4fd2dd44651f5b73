#include "ImageFile.h"

#include "framework/ComPtr.h"
#include "framework/GdiGuards.h"
#include "framework/Utf16Text.h"

#include <wincodec.h>

#include <algorithm>

CPicture LoadPictureFile(const std::string& path, int maxWidth, int maxHeight)
{
    CPicture picture;
    fw::ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.PutVoid())))
        return picture;
    fw::ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(fw::WideText(path.c_str(), -1, CP_ACP).data(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put())))
        return picture;
    fw::ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&width, &height)) || !width || !height)
        return picture;
    double scale = std::min({1.0, double(maxWidth) / width, double(maxHeight) / height});
    UINT targetWidth = std::max(1u, static_cast<UINT>(width * scale + 0.5));
    UINT targetHeight = std::max(1u, static_cast<UINT>(height * scale + 0.5));
    fw::ComPtr<IWICBitmapScaler> scaler;
    fw::ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateBitmapScaler(scaler.Put())) ||
        FAILED(scaler->Initialize(frame.Get(), targetWidth, targetHeight, WICBitmapInterpolationModeFant)) ||
        FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(scaler.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return picture;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(targetWidth);
    info.bmiHeader.biHeight = -static_cast<LONG>(targetHeight);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    fw::ScopedWindowDC screen(nullptr);
    fw::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return picture;
    UINT stride = targetWidth * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * targetHeight, static_cast<BYTE*>(bits))))
        return picture;
    picture.bitmap = std::move(bitmap);
    picture.width = static_cast<int>(targetWidth);
    picture.height = static_cast<int>(targetHeight);
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
    ::AlphaBlend(target, x, y, picture.width, picture.height, memory.get(), 0, 0, picture.width, picture.height, blend);
}
