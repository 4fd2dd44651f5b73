// Where the parts of the built-in menu player sit in its movie area (640x420
// at 96 DPI), and the sizes of its rows and icons, at the player's DPI:
// shared by the window that places the controls and asks for pictures of
// these sizes, and the painter.
#pragma once

#include "ui/DisplayScale.h"

#include <windows.h>

namespace player {

struct MenuLayout {
    int dpi = ui::kBaseDpi;
    RECT list{};
    RECT card{};
    RECT settings{};
    RECT copy{};
    RECT start{};
    int rowHeight = 0;
    int rowIcon = 0;
    int cardIcon = 0;
    // The selected entry's icon at the card's top left, its info picture below.
    RECT cardIconBox{};
    RECT infoBox{};

    // A 96-DPI length at this layout's DPI.
    int Scale(int length) const { return ui::ScaleToDpi(length, dpi); }
    // The progress line: in the empty list, or at the foot of the card while
    // rows arrive.
    RECT ProgressRect(bool listEmpty) const;
};

// A DPI outside the sane range lays out at 96.
MenuLayout MenuLayoutAt(int dpi);

} // namespace player
