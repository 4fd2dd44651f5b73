// Shrinks a picture of 32-bit premultiplied pixels by averaging the area of
// the source each target pixel covers (a box filter), so fine detail such as
// small text stays legible; the system's scaler under Wine only picks the
// nearest pixel. Source rows come in one at a time, so a large picture never
// needs more than one row of it in memory. It never enlarges.
#pragma once

#include <cstdint>
#include <vector>

namespace ui {

class AreaScaler {
public:
    // The target is clamped to 1 .. the source size on each side.
    AreaScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

    int TargetWidth() const { return m_nTargetWidth; }
    int TargetHeight() const { return m_nTargetHeight; }
    // The next of the source's rows, sourceWidth pixels.
    void AddRow(const std::uint32_t* row);
    // The target's pixels row by row; complete after the last source row.
    const std::vector<std::uint32_t>& Pixels() const { return m_pixels; }

private:
    void FinishRow();

    int m_nSourceWidth;
    int m_nSourceHeight;
    int m_nTargetWidth;
    int m_nTargetHeight;
    int m_nSourceRow = 0;
    int m_nTargetRow = 0;
    // Where each source column goes: the first target column it overlaps and
    // how much of it lies there; the rest lies in the next one.
    struct Column {
        int first;
        std::uint32_t widthInFirst;
    };
    std::vector<Column> m_columns;
    // Per target pixel of the current row: each channel's weighted sum.
    std::vector<std::uint64_t> m_sums;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace ui
