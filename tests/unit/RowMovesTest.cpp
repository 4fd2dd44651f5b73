#include "settings/RowMoves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace settings;

namespace {
// Rows named by their index before the move, in their order after it.
std::vector<int> OrderAfter(int rowCount, const std::vector<RowMove>& moves)
{
    std::vector<int> rows(static_cast<std::size_t>(rowCount));
    std::iota(rows.begin(), rows.end(), 0);
    ApplyMoves(rows, moves);
    return rows;
}
} // namespace

TEST(RowMoves, DropPutsTheDraggedRowsBelowTheMarkerInTheirOrder)
{
    const std::tuple<std::vector<int>, int, std::vector<int>> cases[] = {
        {{2, 5}, 1, {0, 1, 2, 5, 3, 4, 6}},
        {{2, 3}, 1, {0, 1, 2, 3, 4, 5, 6}},
        {{1}, 3, {0, 2, 3, 1, 4, 5, 6}},
        {{1}, 6, {0, 2, 3, 4, 5, 6, 1}},
        {{4, 6}, 0, {0, 4, 6, 1, 2, 3, 5}},
        {{3, 5}, -1, {3, 5, 0, 1, 2, 4, 6}},    // above the first row
        {{1, 3}, 5, {0, 2, 4, 5, 1, 3, 6}},     // rows between shift up
        {{0, 6}, 3, {1, 2, 3, 0, 6, 4, 5}},     // from both sides
        {{2, 3, 4}, 3, {0, 1, 2, 3, 4, 5, 6}},  // onto a dragged row
        {{4}, 4, {0, 1, 2, 3, 4, 5, 6}},        // onto its own place
        {{5}, 42, {0, 1, 2, 3, 4, 6, 5}},       // past the last row: the end
        {{-1, 9, 2}, 0, {0, 2, 1, 3, 4, 5, 6}}, // indices out of range skipped
        {{1, 2}, kNoDropTarget, {0, 1, 2, 3, 4, 5, 6}},
    };
    for (const auto& [dragged, marker, order] : cases)
        EXPECT_EQ(OrderAfter(7, DropMoves(7, dragged, marker)), order) << "marker " << marker;
    EXPECT_TRUE(DropMoves(7, {1, 2}, kNoDropTarget).empty());
}

TEST(RowMoves, DropAtRealSizeIsAPermutationWithTheDraggedRowsTogether)
{
    const int rows = 300;
    std::vector<int> dragged;
    for (int i = 3; i < rows; i += 7)
        dragged.push_back(i);
    std::vector<int> all(rows);
    std::iota(all.begin(), all.end(), 0);
    for (int marker : {-1, 0, 150, 157, 298, 299}) {
        std::vector<int> order = OrderAfter(rows, DropMoves(rows, dragged, marker));
        ASSERT_TRUE(std::is_permutation(order.begin(), order.end(), all.begin(), all.end())) << marker;
        auto first = std::find(order.begin(), order.end(), dragged.front());
        ASSERT_TRUE(std::equal(dragged.begin(), dragged.end(), first)) << marker;
        if (marker >= 0 && std::find(dragged.begin(), dragged.end(), marker) == dragged.end()) {
            EXPECT_EQ(*(first - 1), marker);
        }
    }
}

TEST(RowMoves, UpAndDownMoveTheSelectionButNotABlockAtTheEnd)
{
    const std::tuple<bool, std::vector<int>, std::vector<int>> cases[] = {
        {true, {0, 1, 4}, {0, 1, 2, 4, 3, 5}}, {true, {2, 3}, {0, 2, 3, 1, 4, 5}},  {true, {0}, {0, 1, 2, 3, 4, 5}},
        {true, {}, {0, 1, 2, 3, 4, 5}},        {false, {4, 5}, {0, 1, 2, 3, 4, 5}}, {false, {1, 3}, {0, 2, 1, 4, 3, 5}},
        {false, {3, 5}, {0, 1, 2, 4, 3, 5}},   {false, {0, 1}, {2, 0, 1, 3, 4, 5}}, {false, {}, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& [up, selected, order] : cases) {
        auto moves = up ? MoveUpMoves(selected) : MoveDownMoves(selected, 6);
        EXPECT_EQ(OrderAfter(6, moves), order) << (up ? "up" : "down") << " " << selected.size();
    }
}
