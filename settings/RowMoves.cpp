#include "RowMoves.h"

namespace settings {

std::vector<RowMove> DropMoves(int rowCount, std::vector<int> dragged, int marker)
{
    std::vector<RowMove> moves;
    if (marker == kNoDropTarget)
        return moves;
    int target = marker + 1;
    if (target < 0 || target > rowCount - 1)
        target = rowCount;
    for (std::size_t i = 0; i < dragged.size(); ++i) {
        const int source = dragged[i];
        if (source < 0 || source >= rowCount)
            continue;
        moves.push_back({source, target});
        // The rows between the old and the new place shift by one.
        for (std::size_t j = i + 1; j < dragged.size(); ++j) {
            int& later = dragged[j];
            if (source < later && later < target)
                --later;
            else if (target < later && later < source)
                ++later;
        }
        // The next row lands below the one just dropped.
        if (source >= target)
            ++target;
    }
    return moves;
}

std::vector<RowMove> MoveUpMoves(const std::vector<int>& selected)
{
    std::vector<RowMove> moves;
    std::size_t first = 0;
    while (first < selected.size() && selected[first] == static_cast<int>(first))
        ++first;
    for (std::size_t i = first; i < selected.size(); ++i)
        if (selected[i] > 0)
            moves.push_back({selected[i], selected[i] - 1});
    return moves;
}

std::vector<RowMove> MoveDownMoves(const std::vector<int>& selected, int rowCount)
{
    std::vector<RowMove> moves;
    const int count = static_cast<int>(selected.size());
    int block = 0;
    while (block < count && selected[static_cast<std::size_t>(block)] != rowCount - count + block)
        ++block;
    for (int i = block - 1; i >= 0; --i) {
        const int row = selected[static_cast<std::size_t>(i)];
        if (row < rowCount)
            moves.push_back({row, row + 2});
    }
    return moves;
}

} // namespace settings
