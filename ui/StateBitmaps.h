// The up to five state bitmaps of a skinned button, loaded from the resource
// library and owned by the set.
#pragma once

#include "framework/Handle.h"

#include <array>

class CStateBitmaps {
public:
    static constexpr int kCount = 5;

    // Ids in position order, at a DPI; an id whose low word is 0 leaves its
    // position empty. The size is taken from the first bitmap.
    void Load(HMODULE module, const std::array<UINT, kCount>& ids, int dpi = 96);

    // Position 1..5; null when empty.
    HBITMAP Get(int position) const;
    const BITMAP& Size() const { return m_size; }

private:
    std::array<fw::UniqueBitmap, kCount> m_bitmaps;
    BITMAP m_size{};
};

// Copies a bitmap to a device context at 0,0 with the given size.
void BlitBitmap(HDC target, HBITMAP bitmap, int width, int height);
