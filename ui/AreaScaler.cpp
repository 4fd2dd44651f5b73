#include "AreaScaler.h"

#include <algorithm>

namespace ui {

// Positions are measured in units of 1/(target size) of a source pixel, which
// is 1/(source size) of a target pixel: source pixel i spans [i*T, (i+1)*T)
// and target pixel x spans [x*S, (x+1)*S), all whole numbers. Shrinking, a
// source pixel overlaps at most two target pixels.

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight)
    : m_nSourceWidth(std::max(1, sourceWidth)), m_nSourceHeight(std::max(1, sourceHeight)),
      m_nTargetWidth(std::clamp(targetWidth, 1, m_nSourceWidth)),
      m_nTargetHeight(std::clamp(targetHeight, 1, m_nSourceHeight)),
      m_sums(static_cast<std::size_t>(m_nTargetWidth) * 4)
{
    // Every row splits its pixels among the target's columns alike.
    for (int i = 0; i < m_nSourceWidth; ++i) {
        const std::uint64_t left = std::uint64_t(i) * m_nTargetWidth;
        const std::uint64_t x = left / m_nSourceWidth;
        const std::uint64_t end = std::min(left + m_nTargetWidth, (x + 1) * m_nSourceWidth);
        m_columns.push_back({static_cast<int>(x), static_cast<std::uint32_t>(end - left)});
    }
    m_pixels.reserve(static_cast<std::size_t>(m_nTargetWidth) * m_nTargetHeight);
}

void AreaScaler::AddRow(const std::uint32_t* row)
{
    if (m_nSourceRow >= m_nSourceHeight)
        return;
    const std::uint64_t top = std::uint64_t(m_nSourceRow) * m_nTargetHeight;
    const std::uint64_t bottom = top + m_nTargetHeight;
    ++m_nSourceRow;
    for (std::uint64_t from = top; from < bottom;) {
        // The part of this row inside the current target row.
        const std::uint64_t rowEnd = std::uint64_t(m_nTargetRow + 1) * m_nSourceHeight;
        const std::uint64_t to = std::min(bottom, rowEnd);
        const std::uint64_t height = to - from;
        for (int i = 0; i < m_nSourceWidth; ++i) {
            const Column& column = m_columns[i];
            const std::uint64_t inFirst = column.widthInFirst * height;
            const std::uint64_t inNext = (m_nTargetWidth - column.widthInFirst) * height;
            std::uint64_t* sums = &m_sums[std::size_t(column.first) * 4];
            for (int channel = 0; channel < 4; ++channel) {
                const std::uint64_t value = (row[i] >> (8 * channel)) & 0xFF;
                sums[channel] += inFirst * value;
                if (inNext)
                    sums[4 + channel] += inNext * value;
            }
        }
        from = to;
        if (to == rowEnd)
            FinishRow();
    }
}

void AreaScaler::FinishRow()
{
    // Every target pixel covers S x S' units of the source.
    const std::uint64_t area = std::uint64_t(m_nSourceWidth) * m_nSourceHeight;
    for (int x = 0; x < m_nTargetWidth; ++x) {
        std::uint32_t pixel = 0;
        for (int channel = 0; channel < 4; ++channel)
            pixel |= static_cast<std::uint32_t>((m_sums[x * 4 + channel] + area / 2) / area) << (8 * channel);
        m_pixels.push_back(pixel);
    }
    std::fill(m_sums.begin(), m_sums.end(), 0);
    ++m_nTargetRow;
}

} // namespace ui
