// Pictures from files (PNG, BMP, ICO, JPEG, GIF) decoded by the system's
// imaging component into 32-bit premultiplied bitmaps, scaled to fit a box,
// and drawn with their transparency.
#pragma once

#include "framework/Handle.h"

#include <string>

struct CPicture {
    fw::UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
    explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// Nothing (an empty picture) when the file is missing or cannot be decoded.
CPicture LoadPictureFile(const std::string& path, int maxWidth, int maxHeight);

// Draws the picture centred in the box.
void DrawPicture(HDC target, const CPicture& picture, const RECT& box);
