#include "ui/DisplayScale.h"
#include "ui/SmoothEnlarge.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

TEST(DisplayScale, LengthsRoundHalfAwayFromZeroAtEveryScale)
{
    // 96-DPI length, DPI, scaled length.
    const std::tuple<int, int, int> cases[] = {
        {640, 96, 640},
        {450, 96, 450},
        {640, 120, 800},
        {450, 120, 563}, // 562.5
        {450, 144, 675},
        {450, 192, 900},
        {30, 120, 38},
        {13, 120, 16}, // 37.5, 16.25
        {13, 144, 20},
        {19, 144, 29},
        {6, 120, 8},
        {1, 120, 1}, // 19.5, 28.5, 7.5, 1.25
        {3, 144, 5},
        {-12, 120, -15},
        {-13, 144, -20},
        {-3, 144, -5}, // -19.5, -4.5
        {0, 192, 0},
        {606, 168, 1061},
        {606, 120, 758},
        {16, 168, 28},
        // A DPI no display has counts as 96.
        {640, 0, 640},
        {640, -192, 640},
        {640, 100000, 640},
    };
    for (const auto& [length, dpi, scaled] : cases)
        EXPECT_EQ(ui::ScaleToDpi(length, dpi), scaled) << length << " at " << dpi;
}

TEST(DisplayScale, AdjoiningEdgesStayAdjoiningAndWidthsStayWithinAPixel)
{
    // Edges of a row of 96-DPI boxes, each scaled apart, as the layouts do.
    for (int dpi : {120, 144, 168, 192, 240}) {
        for (int left = 0; left < 700; left += 7) {
            const int width = 3 + left % 41;
            const int scaledWidth = ui::ScaleToDpi(left + width, dpi) - ui::ScaleToDpi(left, dpi);
            EXPECT_LE(std::abs(scaledWidth - ui::ScaleToDpi(width, dpi)), 1) << left << " at " << dpi;
        }
    }
}

TEST(DisplayScale, TheNearestSetAtLeastAsLargeIsChosenAndSizedWhenItDoesNotFit)
{
    // DPI, set, whether it is used as drawn.
    const std::tuple<int, int, bool> cases[] = {
        {96, 100, true},   {72, 100, false}, {97, 125, false},  {120, 125, true},  {121, 150, false}, {144, 150, true},
        {168, 200, false}, {192, 200, true}, {240, 200, false}, {480, 200, false}, {0, 100, true},    {9999, 100, true},
    };
    for (const auto& [dpi, percent, fits] : cases) {
        EXPECT_EQ(ui::ArtPercentForDpi(dpi), percent) << dpi;
        EXPECT_EQ(ui::ArtFitsDpi(percent, dpi), fits) << dpi;
    }
}

TEST(DisplayScale, ScaledArtIdsKeepThePlainIdsAndNeverMeet)
{
    EXPECT_EQ(ui::ArtIdAtPercent(210, 100), 210u);
    EXPECT_EQ(ui::ArtIdAtPercent(210, 125), 12710u);
    EXPECT_EQ(ui::ArtIdAtPercent(500, 150), 15500u);
    EXPECT_EQ(ui::ArtIdAtPercent(402, 200), 20402u);
    // Every skin id (100 .. 502) of every set is its own, and fits a resource id.
    for (int percent : ui::kArtPercents) {
        EXPECT_LT(ui::ArtIdAtPercent(502, percent), 65536u);
        for (int other : ui::kArtPercents)
            EXPECT_TRUE(other <= percent || ui::ArtIdAtPercent(502, percent) < ui::ArtIdAtPercent(100, other))
                << percent << " meets " << other;
    }
}

TEST(SmoothEnlarge, BlendsBetweenPixelCentresAndKeepsEdgesAndPlainColours)
{
    using Pixels = std::vector<std::uint32_t>;
    // Source size and pixels, target size and pixels.
    const std::tuple<int, int, Pixels, int, int, Pixels> cases[] = {
        // Doubling two pixels: the outer halves keep their colour, the inner
        // ones lie a quarter of the way across.
        {2, 1, {0x00, 0x80}, 4, 1, {0x00, 0x20, 0x60, 0x80}},
        {1, 2, {0xFF000000, 0x00000000}, 1, 4, {0xFF000000, 0xBF000000, 0x40000000, 0x00000000}},
        // Channels apart.
        {2, 1, {0x00FF00FF, 0xFF00FF00}, 3, 1, {0x00FF00FF, 0x80808080, 0xFF00FF00}},
        // One pixel fills everything; the same size copies.
        {1, 1, {0x123456}, 3, 2, Pixels(6, 0x123456)},
        {2, 2, {1, 2, 3, 4}, 2, 2, {1, 2, 3, 4}},
        // A source shorter than its size gives black, not a read past its end.
        {2, 2, {1, 2, 3}, 2, 1, {0, 0}},
    };
    for (const auto& [width, height, source, targetWidth, targetHeight, expected] : cases)
        EXPECT_EQ(ui::EnlargeSmoothly(source, width, height, targetWidth, targetHeight), expected)
            << width << "x" << height << " to " << targetWidth << "x" << targetHeight;
    // At real size a plain colour stays exact.
    const Pixels plain(640 * 30, 0xFF37445E);
    EXPECT_EQ(ui::EnlargeSmoothly(plain, 640, 30, 1120, 53), Pixels(1120 * 53, 0xFF37445E));
}
