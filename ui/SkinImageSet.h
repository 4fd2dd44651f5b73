// The 60 skin image slots of one window; slot 0 holds the window's skin.
#pragma once

#include "SkinImage.h"

#include <array>
#include <memory>

class CSkinImageSet {
public:
    static constexpr int kSlotCount = 60;

    CSkinImageSet();

    // Loads a bitmap of the resource library at a DPI into a slot; an index
    // outside 0..59 changes nothing.
    void SetImage(HWND window, int index, UINT bitmapId, int dpi = 96);
    CSkinImage* GetSlotImage(int index);
    const CSkinImage* GetSlotImage(int index) const;

private:
    std::array<std::unique_ptr<CSkinImage>, kSlotCount> m_slots;
};
