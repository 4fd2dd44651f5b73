// The built-in menu player at the DPI it is given, in a plain parent window:
// its controls, rows and font scale with it, whether it is created at it or
// moved there later.
#include "framework/Handle.h"
#include "player/NativeMenuPlayer.h"
#include "ui/DisplayScale.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Its parent sizes the player for the DPI before it tells the player.
struct PlayerAt {
    PlayerAt(int dpi, int createdAt)
    {
        EXPECT_TRUE(player.Create(parent.get(), RECT{}, 1, createdAt));
        ::MoveWindow(player.GetSafeHwnd(), 0, 0, ui::ScaleToDpi(640, dpi), ui::ScaleToDpi(420, dpi), FALSE);
        if (dpi != createdAt)
            player.SetDpi(dpi);
    }
    // The edges of the list and the buttons in the player, and the controls'
    // font height.
    std::vector<int> Measures() const
    {
        std::vector<int> measures;
        for (UINT id : {CNativeMenuPlayer::kListId, CNativeMenuPlayer::kStartId, CNativeMenuPlayer::kSettingsId,
                        CNativeMenuPlayer::kCopyId}) {
            RECT r{};
            ::GetWindowRect(::GetDlgItem(player.GetSafeHwnd(), static_cast<int>(id)), &r);
            ::MapWindowPoints(HWND_DESKTOP, player.GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
            measures.insert(measures.end(), {r.left, r.top, r.right, r.bottom});
        }
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(player.StartButton(), WM_GETFONT, 0, 0)), sizeof font,
                     &font);
        measures.push_back(-font.lfHeight);
        return measures;
    }
    int RowHeight() const { return static_cast<int>(::SendMessageA(player.ListWindow(), LB_GETITEMHEIGHT, 0, 0)); }

    // Before the parent: its windows go while the player still lives.
    CNativeMenuPlayer player;
    fw::UniqueWindow parent{
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 3200, 2100, nullptr, nullptr, nullptr, nullptr)};
};
} // namespace

TEST(NativePlayerScale, ControlsRowsAndFontScaleWithTheDpiItIsCreatedAtOrMovedTo)
{
    const std::vector<int> at96 = PlayerAt(96, 96).Measures();
    // The list box takes no row taller than 255 pixels.
    const std::pair<int, int> kRowHeights[] = {{96, 66}, {120, 83}, {144, 99}, {192, 132}, {480, 255}};
    for (const auto& [dpi, rowHeight] : kRowHeights) {
        const PlayerAt created(dpi, dpi), moved(dpi, 96);
        const std::vector<int> measures = created.Measures();
        for (size_t i = 0; i < at96.size(); ++i)
            EXPECT_NEAR(measures[i], at96[i] * dpi / 96.0, 1.0) << "measure " << i << " at " << dpi;
        EXPECT_EQ(moved.Measures(), measures) << dpi;
        for (const PlayerAt* at : {&created, &moved}) {
            EXPECT_EQ(at->player.Dpi(), dpi);
            EXPECT_EQ(at->RowHeight(), rowHeight) << dpi;
        }
    }
}
