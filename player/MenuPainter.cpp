#include "MenuPainter.h"

#include "MenuLayout.h"
#include "framework/GdiGuards.h"
#include "support/ResourceLibrary.h"

namespace player {

namespace {
// The palette: every colour the player draws.
const COLORREF kBackTop = RGB(0x23, 0x2C, 0x3E);
const COLORREF kBackBottom = RGB(0x15, 0x1A, 0x24);
// The background as it runs behind the buttons, seen at their round corners.
const COLORREF kButtonBackTop = RGB(0x1A, 0x20, 0x2D);
const COLORREF kButtonBackBottom = RGB(0x17, 0x1C, 0x27);
const COLORREF kListBack = RGB(0x1E, 0x26, 0x36);
const COLORREF kCardBack = RGB(0x27, 0x31, 0x44);
const COLORREF kCardBorder = RGB(0x34, 0x40, 0x57);
const COLORREF kAccent = RGB(0x2F, 0x7F, 0xE0);
const COLORREF kAccentDark = RGB(0x22, 0x5D, 0xA8);
const COLORREF kSecondary = RGB(0x34, 0x40, 0x57);
const COLORREF kSecondaryDark = RGB(0x26, 0x2F, 0x41);
const COLORREF kDisabled = RGB(0x3A, 0x42, 0x50);
const COLORREF kText = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kRowText = RGB(0xE4, 0xE9, 0xF1);
const COLORREF kMutedText = RGB(0xAE, 0xB8, 0xC8);
const COLORREF kDisabledText = RGB(0x7A, 0x84, 0x94);

// The system's own face for messages: it has the glyphs of the system's
// language and, unlike the skin font's choice, needs no enumeration of every
// installed font at start-up.
std::string SystemMessageFace()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return std::string();
    return metrics.lfMessageFont.lfFaceName;
}

fw::UniqueFont MakeFont(int pixels, int weight)
{
    static const std::string face = SystemMessageFace();
    LOGFONTA font{};
    font.lfHeight = -pixels;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return fw::UniqueFont(::CreateFontIndirectA(&font));
}

void FillRounded(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int radius)
{
    fw::UniqueBrush brush(::CreateSolidBrush(fill));
    fw::UniquePen pen(::CreatePen(PS_SOLID, 1, border));
    fw::ScopedSelect selectBrush(dc, brush.get());
    fw::ScopedSelect selectPen(dc, pen.get());
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

void FillGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom)
{
    TRIVERTEX vertices[2] = {{rect.left, rect.top, static_cast<COLOR16>(GetRValue(top) << 8),
                              static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
                             {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
                              static_cast<COLOR16>(GetGValue(bottom) << 8),
                              static_cast<COLOR16>(GetBValue(bottom) << 8), 0}};
    GRADIENT_RECT gradient{0, 1};
    ::GdiGradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
}

// Draws a name with its markers: lines broken at "[CR]", smaller after a
// leading "[SMALL]", vertically centred in the box.
void DrawName(HDC dc, const std::string& name, RECT box, HFONT normal, HFONT small, COLORREF color)
{
    NameLayout layout = LayoutName(name);
    fw::ScopedSelect font(dc, layout.small ? small : normal);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    int lineHeight = metrics.tmHeight + 1;
    int total = lineHeight * static_cast<int>(layout.lines.size());
    int y = box.top + (box.bottom - box.top - total) / 2;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    for (const std::string& line : layout.lines) {
        RECT lineBox{box.left, y, box.right, y + lineHeight};
        ::DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &lineBox,
                    DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        y += lineHeight;
    }
}

// A neutral tile with the name's first letter where an icon is missing.
void DrawPlaceholder(HDC dc, const RECT& box, const std::string& name, HFONT font)
{
    FillRounded(dc, box, kSecondary, kCardBorder, 12);
    std::string plain = PlainName(name);
    std::string letter = plain.empty() ? std::string("?") : plain.substr(0, ::IsDBCSLeadByte(plain[0]) ? 2 : 1);
    fw::ScopedSelect select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kMutedText);
    RECT text = box;
    ::DrawTextA(dc, letter.c_str(), static_cast<int>(letter.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The icon, else its placeholder once the pictures are no longer pending.
void DrawIcon(HDC dc, const CPicture& icon, const RECT& box, bool picturesPending, const std::string& name, HFONT font)
{
    if (icon)
        DrawPicture(dc, icon, box);
    else if (!picturesPending)
        DrawPlaceholder(dc, box, name, font);
}
} // namespace

void CMenuPainter::CreateFonts()
{
    m_hFont = MakeFont(14, FW_BOLD);
    m_hSmallFont = MakeFont(12, FW_NORMAL);
    m_hTitleFont = MakeFont(18, FW_BOLD);
    m_hButtonFont = MakeFont(13, FW_BOLD);
}

HBRUSH CMenuPainter::ListBrush()
{
    if (!m_hListBrush)
        m_hListBrush.reset(::CreateSolidBrush(kListBack));
    return m_hListBrush.get();
}

void CMenuPainter::DrawBackground(HDC dc, const RECT& client) const
{
    FillGradient(dc, client, kBackTop, kBackBottom);
    FillRounded(dc, RECT{kListRect.left - 1, kListRect.top - 1, kListRect.right + 1, kListRect.bottom + 1}, kListBack,
                kCardBorder, 10);
    FillRounded(dc, kCardRect, kCardBack, kCardBorder, 12);
    ::SetBkMode(dc, TRANSPARENT);
}

void CMenuPainter::DrawCard(HDC dc, const MenuEntry& entry, const CPicture& icon, const CPicture& info,
                            bool picturesPending) const
{
    DrawIcon(dc, icon, kCardIconBox, picturesPending, entry.name, m_hTitleFont.get());
    RECT nameBox{kCardIconBox.right + 14, kCardIconBox.top, kCardRect.right - 14, kCardIconBox.bottom};
    DrawName(dc, entry.name, nameBox, m_hTitleFont.get(), m_hFont.get(), kText);
    DrawPicture(dc, info, kInfoBox);
}

void CMenuPainter::DrawProgress(HDC dc, const std::string& text, bool listEmpty) const
{
    RECT box = ProgressRect(listEmpty);
    fw::ScopedSelect font(dc, m_hSmallFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kMutedText);
    ::DrawTextA(dc, text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMenuPainter::DrawEmptyMenu(HDC dc, const std::string& problem, bool listUnreadable) const
{
    const int middle = (kListRect.top + kListRect.bottom) / 2;
    const UINT format = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    ::SetTextColor(dc, kMutedText);
    fw::ScopedSelect font(dc, m_hFont.get());
    if (!problem.empty()) {
        // Why the menu could not be built, paths included: wrapped lines.
        RECT box{kListRect.left + 16, kListRect.top + 16, kListRect.right - 16, kListRect.bottom - 16};
        RECT measured = box;
        const UINT wrapped = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
        ::DrawTextA(dc, problem.c_str(), -1, &measured, wrapped | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        if (height < box.bottom - box.top)
            box.top = middle - height / 2;
        ::DrawTextA(dc, problem.c_str(), -1, &box, wrapped);
        return;
    }
    std::string empty = LibraryTextOr(IDS_PLAYER_EMPTY, "No applications are installed.");
    RECT box{kListRect.left + 8, middle - (listUnreadable ? 22 : 10), kListRect.right - 8, middle + 12};
    ::DrawTextA(dc, empty.c_str(), -1, &box, format);
    if (!listUnreadable)
        return;
    fw::ScopedSelect small(dc, m_hSmallFont.get());
    std::string reason = LibraryTextOr(IDS_PLAYER_UNREADABLE, "The menu list could not be read.");
    box = RECT{kListRect.left + 8, middle + 4, kListRect.right - 8, middle + 24};
    ::DrawTextA(dc, reason.c_str(), -1, &box, format);
}

void CMenuPainter::DrawRow(const DRAWITEMSTRUCT& item, const MenuEntry* entry, const CPicture& icon,
                           bool picturesPending) const
{
    HDC dc = item.hDC;
    RECT row = item.rcItem;
    fw::UniqueBrush back(::CreateSolidBrush(kListBack));
    ::FillRect(dc, &row, back.get());
    if (!entry)
        return;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected)
        FillRounded(dc, RECT{row.left + 4, row.top + 3, row.right - 4, row.bottom - 3}, kAccent, kAccent, 10);
    RECT iconBox{row.left + 14, row.top + (kRowHeight - kRowIcon) / 2, row.left + 14 + kRowIcon,
                 row.top + (kRowHeight + kRowIcon) / 2};
    DrawIcon(dc, icon, iconBox, picturesPending, entry->name, m_hFont.get());
    RECT nameBox{iconBox.right + 14, row.top + 4, row.right - 12, row.bottom - 4};
    DrawName(dc, entry->name, nameBox, m_hFont.get(), m_hSmallFont.get(), selected ? kText : kRowText);
}

void CMenuPainter::DrawButton(const DRAWITEMSTRUCT& item, bool primary) const
{
    HDC dc = item.hDC;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    COLORREF fill = disabled  ? kDisabled
                    : primary ? (pressed ? kAccentDark : kAccent)
                              : (pressed ? kSecondaryDark : kSecondary);
    FillGradient(dc, item.rcItem, kButtonBackTop, kButtonBackBottom);
    FillRounded(dc, item.rcItem, fill, fill, 10);
    char text[128] = {};
    ::GetWindowTextA(item.hwndItem, text, sizeof text);
    fw::ScopedSelect font(dc, m_hButtonFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? kDisabledText : kText);
    RECT box = item.rcItem;
    if (pressed)
        ::OffsetRect(&box, 0, 1);
    // The mnemonic's underline shows once the keyboard is used.
    const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    ::DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | prefix);
}

} // namespace player
