// The built-in menu player's drawing: it owns the fonts and the palette, and
// draws each part of the movie area from what the window passes in (the
// entry, its pictures, the states), keeping no menu of its own.
#pragma once

#include "MenuLayout.h"
#include "MenuModel.h"
#include "framework/Handle.h"
#include "ui/ImageFile.h"

#include <string>

namespace player {

class CMenuPainter {
public:
    // Once the window exists, and again at each new DPI: the layout and the
    // fonts at it. Nothing is drawn before.
    void SetDpi(int dpi);
    const MenuLayout& Layout() const { return m_layout; }
    HFONT ButtonFont() const { return m_hButtonFont.get(); }
    // The list box's background below its rows.
    HBRUSH ListBrush();

    // The area's background with the list's frame and the empty card; the
    // texts drawn on it after have no background of their own.
    void DrawBackground(HDC dc, const RECT& client) const;
    // The selected entry on the card. A missing icon shows the name's first
    // letter, except while the pictures are still pending.
    void DrawCard(HDC dc, const MenuEntry& entry, const CPicture& icon, const CPicture& info,
                  bool picturesPending) const;
    // Where the entries would be: why the menu could not be built, else that
    // it is empty, and whether its list could not be read.
    void DrawEmptyMenu(HDC dc, const std::string& problem, bool listUnreadable) const;
    void DrawProgress(HDC dc, const std::string& text, bool listEmpty) const;
    // One row of the list; no entry for the list's empty rest.
    void DrawRow(const DRAWITEMSTRUCT& item, const MenuEntry* entry, const CPicture& icon, bool picturesPending) const;
    // A command button with its window text; the primary one is the accent.
    void DrawButton(const DRAWITEMSTRUCT& item, bool primary) const;

private:
    int Scale(int length) const { return m_layout.Scale(length); }

    MenuLayout m_layout = MenuLayoutAt(ui::kBaseDpi);
    fw::UniqueFont m_hFont;
    fw::UniqueFont m_hSmallFont;
    fw::UniqueFont m_hTitleFont;
    fw::UniqueFont m_hButtonFont;
    fw::UniqueBrush m_hListBrush;
};

} // namespace player
