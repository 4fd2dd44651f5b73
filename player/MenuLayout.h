// Where the parts of the built-in menu player sit in its 640x420 movie area,
// and the sizes of its rows and icons: shared by the window that places the
// controls and asks for pictures of these sizes, and the painter.
#pragma once

#include <windows.h>

namespace player {

constexpr RECT kListRect{16, 16, 336, 346};
constexpr RECT kCardRect{352, 16, 624, 346};
constexpr RECT kSettingsRect{16, 362, 166, 402};
constexpr RECT kCopyRect{176, 362, 336, 402};
constexpr RECT kStartRect{352, 362, 624, 402};

constexpr int kRowHeight = 66;
constexpr int kRowIcon = 44;
constexpr int kCardIcon = 64;

// The selected entry's icon at the card's top left, its info picture below.
constexpr RECT kCardIconBox{kCardRect.left + 16, kCardRect.top + 16, kCardRect.left + 16 + kCardIcon,
                            kCardRect.top + 16 + kCardIcon};
constexpr RECT kInfoBox{kCardRect.left + 16, kCardIconBox.bottom + 18, kCardRect.right - 16, kCardRect.bottom - 16};

// The progress line: in the empty list, or at the foot of the card while
// rows arrive.
inline RECT ProgressRect(bool listEmpty)
{
    if (listEmpty) {
        const int middle = (kListRect.top + kListRect.bottom) / 2;
        return RECT{kListRect.left + 8, middle - 10, kListRect.right - 8, middle + 12};
    }
    return RECT{kCardRect.left + 16, kCardRect.bottom - 34, kCardRect.right - 16, kCardRect.bottom - 12};
}

} // namespace player
