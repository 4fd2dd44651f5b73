#include "StateBitmaps.h"

#include "SkinBitmap.h"
#include "framework/GdiGuards.h"

void CStateBitmaps::Load(HMODULE module, const std::array<UINT, kCount>& ids, int dpi)
{
    for (int i = 0; i < kCount; ++i) {
        auto& slot = m_bitmaps[static_cast<size_t>(i)];
        slot.reset();
        slot = LoadSkinBitmap(module, ids[static_cast<size_t>(i)], dpi);
    }
    m_size = BITMAP{};
    if (m_bitmaps[0])
        ::GetObjectA(m_bitmaps[0].get(), sizeof m_size, &m_size);
}

HBITMAP CStateBitmaps::Get(int position) const
{
    if (position < 1 || position > kCount)
        return nullptr;
    return m_bitmaps[static_cast<size_t>(position - 1)].get();
}

void BlitBitmap(HDC target, HBITMAP bitmap, int width, int height)
{
    fw::ScopedMemoryDC memory(target);
    fw::ScopedSelect select(memory.get(), bitmap);
    ::BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}
