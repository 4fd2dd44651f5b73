#include "SkinImageSet.h"

#include "support/ResourceLibrary.h"

CSkinImageSet::CSkinImageSet()
{
    for (auto& slot : m_slots)
        slot = std::make_unique<CSkinImage>();
}

void CSkinImageSet::SetImage(HWND window, int index, UINT bitmapId, int dpi)
{
    CSkinImage* image = GetSlotImage(index);
    if (!image)
        return;
    image->LoadFromResource(window, g_pResourceLibrary ? g_pResourceLibrary->GetHandle() : nullptr, bitmapId, dpi);
}

CSkinImage* CSkinImageSet::GetSlotImage(int index)
{
    return const_cast<CSkinImage*>(static_cast<const CSkinImageSet&>(*this).GetSlotImage(index));
}

const CSkinImage* CSkinImageSet::GetSlotImage(int index) const
{
    if (index < 0 || index >= kSlotCount)
        return nullptr;
    return m_slots[static_cast<size_t>(index)].get();
}
