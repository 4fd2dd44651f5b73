// Enlarges a picture of 32-bit pixels by blending the four source pixels
// around each target pixel's centre (bilinear), so a bitmap that exists only
// at its smallest size grows soft instead of blocky. Each channel apart.
#pragma once

#include <cstdint>
#include <vector>

namespace ui {

// Source pixels row by row, sourceWidth x sourceHeight; the target's row by
// row. Sizes below 1 count as 1; an empty source gives a black target.
std::vector<std::uint32_t> EnlargeSmoothly(const std::vector<std::uint32_t>& source, int sourceWidth, int sourceHeight,
                                           int targetWidth, int targetHeight);

} // namespace ui
