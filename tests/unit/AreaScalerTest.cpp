#include "ui/AreaScaler.h"

#include <gtest/gtest.h>

using Pixels = std::vector<std::uint32_t>;

namespace {
Pixels Scale(int width, int height, const Pixels& source, int targetWidth, int targetHeight)
{
    ui::AreaScaler scaler(width, height, targetWidth, targetHeight);
    for (int y = 0; y < height; ++y)
        scaler.AddRow(source.data() + y * width);
    return scaler.Pixels();
}
} // namespace

TEST(AreaScaler, EachTargetPixelIsTheAverageOfTheAreaItCovers)
{
    // Source size and pixels, target size and pixels.
    const std::tuple<int, int, Pixels, int, int, Pixels> cases[] = {
        {4, 2, {0x00, 0x10, 0x20, 0x21, 0x08, 0x08, 0x40, 0x41}, 2, 1, {0x08, 0x31}}, // 48.5 rounds up
        {3, 1, {0x00, 0x30, 0x90}, 2, 1, {0x10, 0x70}},                               // (2*0 + 30) / 3, (30 + 2*90) / 3
        {1, 3, {0x90, 0x30, 0x00}, 1, 2, {0x70, 0x10}},
        // Channels apart: a white and a transparent pixel give half-covered grey.
        {2, 1, {0xFFFFFFFF, 0x00000000}, 1, 1, {0x80808080}},
        {2, 2, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}, 1, 1, {0x40404040}},
        // One pixel per black and white square of a checkerboard: grey, not one of them.
        {2, 2, {0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF}, 1, 1, {0xFF808080}},
        // Never larger than the source, never empty.
        {2, 1, {0x01, 0x02}, 5, 3, {0x01, 0x02}},
        {2, 1, {0x01, 0x03}, 0, -4, {0x02}},
    };
    for (const auto& [width, height, source, targetWidth, targetHeight, expected] : cases)
        EXPECT_EQ(Scale(width, height, source, targetWidth, targetHeight), expected) << width << "x" << height;
}

TEST(AreaScaler, APlainColourStaysExactAtAnyRatioAndRealSize)
{
    for (auto [width, height, targetWidth, targetHeight] : {std::tuple(300, 160, 241, 128), std::tuple(64, 64, 24, 24),
                                                            std::tuple(8192, 3, 7, 2), std::tuple(97, 89, 96, 1)}) {
        const Pixels plain(static_cast<std::size_t>(width) * height, 0xFFC0A852);
        EXPECT_EQ(Scale(width, height, plain, targetWidth, targetHeight),
                  Pixels(static_cast<std::size_t>(targetWidth) * targetHeight, 0xFFC0A852))
            << width << "x" << height << " to " << targetWidth << "x" << targetHeight;
    }
}
