// Index arithmetic of the application list's row moves, kept apart from the
// list control. A move inserts a copy of one row before another and then
// deletes the original, as the list does it, so a plan computed here is
// exactly what the list applies.
#pragma once

#include <climits>
#include <vector>

namespace settings {

struct RowMove {
    int source; // the row to move
    int target; // the row it is inserted before (the row count appends)
};

// A drag that was released before any drop position was shown.
constexpr int kNoDropTarget = INT_MIN;

// Drops the dragged rows (ascending indices at the drag's start) right
// below the marker row; marker -1 means above the first row. The dragged
// rows keep their relative order, all others theirs. No target, no moves.
std::vector<RowMove> DropMoves(int rowCount, std::vector<int> dragged, int marker);

// The Up and Down buttons: every selected row one place up (down), except a
// block already at the top (bottom). Selected indices ascending.
std::vector<RowMove> MoveUpMoves(const std::vector<int>& selected);
std::vector<RowMove> MoveDownMoves(const std::vector<int>& selected, int rowCount);

// The index of the original row once its copy stands at move.target.
inline int SourceAfterInsert(const RowMove& move)
{
    return move.target <= move.source ? move.source + 1 : move.source;
}

// Applies the moves to any sequence standing for the rows.
template <typename Rows>
void ApplyMoves(Rows& rows, const std::vector<RowMove>& moves)
{
    for (const RowMove& move : moves) {
        auto copy = rows[static_cast<std::size_t>(move.source)];
        rows.insert(rows.begin() + move.target, copy);
        rows.erase(rows.begin() + SourceAfterInsert(move));
    }
}

} // namespace settings
