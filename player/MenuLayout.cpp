#include "MenuLayout.h"

#include <algorithm>

namespace player {

namespace {
// At 96 DPI; each edge is scaled on its own, so boxes that meet keep meeting.
constexpr RECT kListRect{16, 16, 336, 346};
constexpr RECT kCardRect{352, 16, 624, 346};
constexpr RECT kSettingsRect{16, 362, 166, 402};
constexpr RECT kCopyRect{176, 362, 336, 402};
constexpr RECT kStartRect{352, 362, 624, 402};

constexpr int kRowHeight = 66;
constexpr int kRowIcon = 44;
constexpr int kCardIcon = 64;

// The list box refuses taller rows and would keep the old height.
constexpr int kTallestRow = 255;
} // namespace

MenuLayout MenuLayoutAt(int dpi)
{
    MenuLayout layout;
    layout.dpi = ui::SaneDpi(dpi);
    const auto scaled = [&layout](const RECT& r) {
        return RECT{layout.Scale(r.left), layout.Scale(r.top), layout.Scale(r.right), layout.Scale(r.bottom)};
    };
    layout.list = scaled(kListRect);
    layout.card = scaled(kCardRect);
    layout.settings = scaled(kSettingsRect);
    layout.copy = scaled(kCopyRect);
    layout.start = scaled(kStartRect);
    layout.rowHeight = std::min(layout.Scale(kRowHeight), kTallestRow);
    layout.rowIcon = layout.Scale(kRowIcon);
    layout.cardIcon = layout.Scale(kCardIcon);

    const RECT& card = layout.card;
    const int inset = layout.Scale(16);
    layout.cardIconBox = RECT{card.left + inset, card.top + inset, card.left + inset + layout.cardIcon,
                              card.top + inset + layout.cardIcon};
    layout.infoBox =
        RECT{card.left + inset, layout.cardIconBox.bottom + layout.Scale(18), card.right - inset, card.bottom - inset};
    return layout;
}

RECT MenuLayout::ProgressRect(bool listEmpty) const
{
    if (listEmpty) {
        const int middle = (list.top + list.bottom) / 2;
        return RECT{list.left + Scale(8), middle - Scale(10), list.right - Scale(8), middle + Scale(12)};
    }
    return RECT{card.left + Scale(16), card.bottom - Scale(34), card.right - Scale(16), card.bottom - Scale(12)};
}

} // namespace player
