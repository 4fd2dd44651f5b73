// Skin images drawn into their DIB sections and read back as pixels.
#include "tests/common/PixelHelpers.h"
#include "support/ResourceLibrary.h"
#include "ui/SkinFont.h"
#include "ui/SkinImageSet.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kSkinRed = RGB(0xC0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// Test skins come from a fixture library installed as the resource library.
class SkinImages : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load("TestSkins.dll"));
        g_pResourceLibrary = &m_library;
        m_window = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        g_pResourceLibrary = nullptr;
        ::DestroyWindow(m_window);
    }

    // Rows y0..y1 (exclusive) of the image that hold at least one white pixel.
    static int LastRowWith(const CSkinImage& image, COLORREF color)
    {
        BITMAP info = image.GetBitmapInfo();
        int last = -1;
        for (int y = 0; y < info.bmHeight; ++y)
            for (int x = 0; x < info.bmWidth; ++x)
                if (BottomUpPixel(image.GetBits(), info.bmWidth, info.bmHeight, x, y) == color)
                    last = y;
        return last;
    }

    CResourceLibrary m_library;
    HWND m_window = nullptr;
};
} // namespace

TEST_F(SkinImages, ALoadedSkinHasTheBitmapsSizeAndPixels)
{
    CSkinImageSet set;
    set.SetImage(m_window, 0, 1000);
    CSkinImage* image = set.GetSlotImage(0);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->IsCreated());
    EXPECT_EQ(image->GetBitmapInfo().bmWidth, 120);
    EXPECT_EQ(image->GetBitmapInfo().bmHeight, 60);
    EXPECT_EQ(image->GetBitmapInfo().bmBitsPixel, 32);
    EXPECT_EQ(BottomUpPixel(image->GetBits(), 120, 60, 7, 9), kSkinRed);

    PixelCanvas target(200, 100, RGB(0, 0, 255));
    image->Draw(m_window, target.dc());
    EXPECT_EQ(target.At(0, 0), kSkinRed);
    EXPECT_EQ(target.At(119, 59), kSkinRed);
    EXPECT_EQ(target.At(120, 10), RGB(0, 0, 255));
    EXPECT_EQ(target.At(10, 60), RGB(0, 0, 255));
}

TEST_F(SkinImages, SlotsOutsideTheTableChangeNothing)
{
    CSkinImageSet set;
    set.SetImage(m_window, 59, 1000);
    set.SetImage(m_window, 60, 1000);
    set.SetImage(m_window, -1, 1000);
    EXPECT_EQ(set.GetSlotImage(60), nullptr);
    EXPECT_EQ(set.GetSlotImage(-1), nullptr);
    EXPECT_TRUE(set.GetSlotImage(59)->IsCreated());
    for (int i = 0; i < 59; ++i)
        EXPECT_FALSE(set.GetSlotImage(i)->IsCreated()) << i;
}

TEST_F(SkinImages, AMissingBitmapLeavesTheImageEmpty)
{
    CSkinImageSet set;
    set.SetImage(m_window, 0, 1000);
    set.SetImage(m_window, 0, 4242); // reloading drops the old content too
    CSkinImage* image = set.GetSlotImage(0);
    EXPECT_FALSE(image->IsCreated());
    EXPECT_EQ(image->GetBitmapInfo().bmWidth, 0);
    EXPECT_EQ(image->GetBitmapInfo().bmHeight, 0);
    PixelCanvas target(20, 20, RGB(0, 0, 255));
    image->Draw(m_window, target.dc());
    EXPECT_EQ(target.At(0, 0), RGB(0, 0, 255));
    image->Clear(); // clearing an empty image is harmless
    EXPECT_FALSE(image->IsCreated());
}

TEST_F(SkinImages, LabelsFillTheirTextCellsOnlyWithANonBlackBackColour)
{
    CSkinFont font(10);
    CSkinImageSet set;
    set.SetImage(m_window, 0, 1000);
    CSkinImage* image = set.GetSlotImage(0);
    image->DrawLabel(m_window, "WWWW", 5, 10, 100, 20, &font, RGB(0, 0, 0), kWhite, 0);
    EXPECT_GE(LastRowWith(*image, kWhite), 10);
    EXPECT_EQ(BottomUpPixel(image->GetBits(), 120, 60, 110, 12), kSkinRed); // right of the text

    set.SetImage(m_window, 1, 1000);
    CSkinImage* transparent = set.GetSlotImage(1);
    transparent->DrawLabelTransparent(m_window, "WWWW", 5, 10, 100, 20, &font, RGB(0, 0, 0), 0);
    EXPECT_EQ(LastRowWith(*transparent, kWhite), -1);
    EXPECT_NE(LastRowWith(*transparent, RGB(0, 0, 0)), -1);
}

TEST_F(SkinImages, TheLabelRectangleReachesFourPixelsBelowItsHeight)
{
    CSkinFont font(10);
    CSkinImageSet set;
    set.SetImage(m_window, 0, 1000);
    CSkinImage* image = set.GetSlotImage(0);
    // A label only 2 pixels high: its 13-pixel text is clipped at y + 2 + 4.
    image->DrawLabel(m_window, "WWWW", 5, 10, 100, 2, &font, RGB(0, 0, 0), kWhite, 0);
    EXPECT_EQ(LastRowWith(*image, kWhite), 15);
}
