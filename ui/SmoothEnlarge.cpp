#include "SmoothEnlarge.h"

#include <algorithm>

namespace ui {

namespace {
// Where each target pixel's centre falls in the source, in 1/256 of a source
// pixel from the first source pixel's centre, kept inside the picture.
struct Sample {
    int first;
    int second;
    std::uint32_t weight; // of the second, 0 .. 256
};

std::vector<Sample> Samples(int source, int target)
{
    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(target));
    for (int x = 0; x < target; ++x) {
        const long long centre = (std::int64_t(2 * x + 1) * source * 256) / (2LL * target) - 128;
        const long long position = std::clamp<long long>(centre, 0, std::int64_t(source - 1) * 256);
        const int first = static_cast<int>(position / 256);
        samples.push_back({first, std::min(first + 1, source - 1), static_cast<std::uint32_t>(position % 256)});
    }
    return samples;
}

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight)
{
    std::uint32_t pixel = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t from = (a >> shift) & 0xFF;
        const std::uint32_t to = (b >> shift) & 0xFF;
        pixel |= ((from * (256 - weight) + to * weight + 128) / 256) << shift;
    }
    return pixel;
}
} // namespace

std::vector<std::uint32_t> EnlargeSmoothly(const std::vector<std::uint32_t>& source, int sourceWidth, int sourceHeight,
                                           int targetWidth, int targetHeight)
{
    sourceWidth = std::max(1, sourceWidth);
    sourceHeight = std::max(1, sourceHeight);
    targetWidth = std::max(1, targetWidth);
    targetHeight = std::max(1, targetHeight);
    std::vector<std::uint32_t> target(static_cast<std::size_t>(targetWidth) * targetHeight);
    if (source.size() < static_cast<std::size_t>(sourceWidth) * sourceHeight)
        return target;
    const std::vector<Sample> columns = Samples(sourceWidth, targetWidth);
    const std::vector<Sample> rows = Samples(sourceHeight, targetHeight);
    auto at = [&](int x, int y) { return source[static_cast<std::size_t>(y) * sourceWidth + x]; };
    std::uint32_t* out = target.data();
    for (const Sample& row : rows) {
        for (const Sample& column : columns) {
            const std::uint32_t upper = Blend(at(column.first, row.first), at(column.second, row.first), column.weight);
            const std::uint32_t lower =
                Blend(at(column.first, row.second), at(column.second, row.second), column.weight);
            *out++ = Blend(upper, lower, row.weight);
        }
    }
    return target;
}

} // namespace ui
