#include "MenuPainter.h"

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

// The border is a hairline at every DPI.
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
void DrawName(HDC dc, const std::string& name, RECT box, HFONT normal, HFONT small, COLORREF color,
              const MenuLayout& sizes)
{
    NameLayout layout = LayoutName(name);
    fw::ScopedSelect font(dc, layout.small ? small : normal);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    int lineHeight = metrics.tmHeight + sizes.Scale(1);
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
void DrawPlaceholder(HDC dc, const RECT& box, const std::string& name, HFONT font, const MenuLayout& sizes)
{
    FillRounded(dc, box, kSecondary, kCardBorder, sizes.Scale(12));
    std::string plain = PlainName(name);
    std::string letter = plain.empty() ? std::string("?") : plain.substr(0, ::IsDBCSLeadByte(plain[0]) ? 2 : 1);
    fw::ScopedSelect select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kMutedText);
    RECT text = box;
    ::DrawTextA(dc, letter.c_str(), static_cast<int>(letter.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The icon, else its placeholder once the pictures are no longer pending.
void DrawIcon(HDC dc, const CPicture& icon, const RECT& box, bool picturesPending, const std::string& name, HFONT font,
              const MenuLayout& sizes)
{
    if (icon)
        DrawPicture(dc, icon, box);
    else if (!picturesPending)
        DrawPlaceholder(dc, box, name, font, sizes);
}
} // namespace

void CMenuPainter::SetDpi(int dpi)
{
    m_layout = MenuLayoutAt(dpi);
    m_hFont = MakeFont(Scale(14), FW_BOLD);
    m_hSmallFont = MakeFont(Scale(12), FW_NORMAL);
    m_hTitleFont = MakeFont(Scale(18), FW_BOLD);
    m_hButtonFont = MakeFont(Scale(13), FW_BOLD);
}

HBRUSH CMenuPainter::ListBrush()
{
    if (!m_hListBrush)
        m_hListBrush.reset(::CreateSolidBrush(kListBack));
    return m_hListBrush.get();
}

void CMenuPainter::DrawBackground(HDC dc, const RECT& client) const
{
    const RECT& list = m_layout.list;
    FillGradient(dc, client, kBackTop, kBackBottom);
    // The list's frame is the hairline just outside it.
    FillRounded(dc, RECT{list.left - 1, list.top - 1, list.right + 1, list.bottom + 1}, kListBack, kCardBorder,
                Scale(10));
    FillRounded(dc, m_layout.card, kCardBack, kCardBorder, Scale(12));
    ::SetBkMode(dc, TRANSPARENT);
}

void CMenuPainter::DrawCard(HDC dc, const MenuEntry& entry, const CPicture& icon, const CPicture& info,
                            bool picturesPending) const
{
    const RECT& iconBox = m_layout.cardIconBox;
    DrawIcon(dc, icon, iconBox, picturesPending, entry.name, m_hTitleFont.get(), m_layout);
    RECT nameBox{iconBox.right + Scale(14), iconBox.top, m_layout.card.right - Scale(14), iconBox.bottom};
    DrawName(dc, entry.name, nameBox, m_hTitleFont.get(), m_hFont.get(), kText, m_layout);
    DrawPicture(dc, info, m_layout.infoBox);
}

void CMenuPainter::DrawProgress(HDC dc, const std::string& text, bool listEmpty) const
{
    RECT box = m_layout.ProgressRect(listEmpty);
    fw::ScopedSelect font(dc, m_hSmallFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kMutedText);
    ::DrawTextA(dc, text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMenuPainter::DrawEmptyMenu(HDC dc, const std::string& problem, bool listUnreadable) const
{
    const RECT& list = m_layout.list;
    const int middle = (list.top + list.bottom) / 2;
    const UINT format = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    ::SetTextColor(dc, kMutedText);
    fw::ScopedSelect font(dc, m_hFont.get());
    if (!problem.empty()) {
        // Why the menu could not be built, paths included: wrapped lines.
        RECT box{list.left + Scale(16), list.top + Scale(16), list.right - Scale(16), list.bottom - Scale(16)};
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
    RECT box{list.left + Scale(8), middle - Scale(listUnreadable ? 22 : 10), list.right - Scale(8), middle + Scale(12)};
    ::DrawTextA(dc, empty.c_str(), -1, &box, format);
    if (!listUnreadable)
        return;
    fw::ScopedSelect small(dc, m_hSmallFont.get());
    std::string reason = LibraryTextOr(IDS_PLAYER_UNREADABLE, "The menu list could not be read.");
    box = RECT{list.left + Scale(8), middle + Scale(4), list.right - Scale(8), middle + Scale(24)};
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
        FillRounded(dc, RECT{row.left + Scale(4), row.top + Scale(3), row.right - Scale(4), row.bottom - Scale(3)},
                    kAccent, kAccent, Scale(10));
    const int rowHeight = m_layout.rowHeight, rowIcon = m_layout.rowIcon;
    RECT iconBox{row.left + Scale(14), row.top + (rowHeight - rowIcon) / 2, row.left + Scale(14) + rowIcon,
                 row.top + (rowHeight + rowIcon) / 2};
    DrawIcon(dc, icon, iconBox, picturesPending, entry->name, m_hFont.get(), m_layout);
    RECT nameBox{iconBox.right + Scale(14), row.top + Scale(4), row.right - Scale(12), row.bottom - Scale(4)};
    DrawName(dc, entry->name, nameBox, m_hFont.get(), m_hSmallFont.get(), selected ? kText : kRowText, m_layout);
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
    FillRounded(dc, item.rcItem, fill, fill, Scale(10));
    char text[128] = {};
    ::GetWindowTextA(item.hwndItem, text, sizeof text);
    fw::ScopedSelect font(dc, m_hButtonFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? kDisabledText : kText);
    RECT box = item.rcItem;
    if (pressed)
        ::OffsetRect(&box, 0, Scale(1));
    // The mnemonic's underline shows once the keyboard is used.
    const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    ::DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | prefix);
}

} // namespace player
