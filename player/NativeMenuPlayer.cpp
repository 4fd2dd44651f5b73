#include "NativeMenuPlayer.h"

#include "framework/GdiGuards.h"
#include "support/FileBytes.h"
#include "support/ResourceLibrary.h"
#include "support/XmlElementReader.h"

#include <algorithm>

const char CNativeMenuPlayer::kClassName[] = "LumbraMenuPlayer";

namespace {
// Layout of the 640x420 movie area.
const RECT kListRect{16, 16, 336, 346};
const RECT kCardRect{352, 16, 624, 346};
const RECT kSettingsRect{16, 362, 166, 402};
const RECT kCopyRect{176, 362, 336, 402};
const RECT kStartRect{352, 362, 624, 402};
const char kListName[] = "Applications";
const int kRowHeight = 66;
// The progress line shows once a build has run this long.
const DWORD kProgressDelayMs = 500;
const int kRowIcon = 44;
const int kCardIcon = 64;
const UINT_PTR kPicturesTimer = 1;

const COLORREF kBackTop = RGB(0x23, 0x2C, 0x3E);
const COLORREF kBackBottom = RGB(0x15, 0x1A, 0x24);
const COLORREF kListBack = RGB(0x1E, 0x26, 0x36);
const COLORREF kCardBack = RGB(0x27, 0x31, 0x44);
const COLORREF kCardBorder = RGB(0x34, 0x40, 0x57);
const COLORREF kAccent = RGB(0x2F, 0x7F, 0xE0);
const COLORREF kAccentDark = RGB(0x22, 0x5D, 0xA8);
const COLORREF kSecondary = RGB(0x34, 0x40, 0x57);
const COLORREF kSecondaryDark = RGB(0x26, 0x2F, 0x41);
const COLORREF kDisabled = RGB(0x3A, 0x42, 0x50);
const COLORREF kText = RGB(0xFF, 0xFF, 0xFF);
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
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, static_cast<COLOR16>(GetRValue(top) << 8), static_cast<COLOR16>(GetGValue(top) << 8),
         static_cast<COLOR16>(GetBValue(top) << 8), 0},
        {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
         static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8), 0}};
    GRADIENT_RECT gradient{0, 1};
    ::GdiGradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
}

// Draws a name with its markers: lines broken at "[CR]", smaller after a
// leading "[SMALL]", vertically centred in the box.
void DrawName(HDC dc, const std::string& name, RECT box, HFONT normal, HFONT small, COLORREF color)
{
    player::NameLayout layout = player::LayoutName(name);
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
    std::string plain = player::PlainName(name);
    std::string letter = plain.empty() ? std::string("?") : plain.substr(0, ::IsDBCSLeadByte(plain[0]) ? 2 : 1);
    fw::ScopedSelect select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kMutedText);
    RECT text = box;
    ::DrawTextA(dc, letter.c_str(), static_cast<int>(letter.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
} // namespace

// The entry list: a list box that leaves every key and the wheel to the main
// window, whose pre-translation already moved the selection through the
// menu labels.
class CNativeMenuPlayer::CEntryList : public fw::CWnd {
protected:
    bool OnMouseWheel(short, UINT, POINT) override
    {
        ForwardTo(::GetAncestor(m_hWnd, GA_ROOT));
        return true;
    }
    bool OnKeyDown(UINT, UINT) override { return true; }
    bool OnKeyUp(UINT, UINT) override { return true; }
    bool OnChar(UINT, UINT) override { return true; }
};

CNativeMenuPlayer::CNativeMenuPlayer() : m_pList(std::make_unique<CEntryList>()) {}

CNativeMenuPlayer::~CNativeMenuPlayer() = default;

bool CNativeMenuPlayer::Create(HWND parent, const RECT& rect, UINT controlId)
{
    RegisterOwnClass(kClassName, CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!fw::CWnd::Create(kClassName, "Imagora Menu", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, rect, parent,
                          controlId))
        return false;
    m_hFont = MakeFont(14, FW_BOLD);
    m_hSmallFont = MakeFont(12, FW_NORMAL);
    m_hTitleFont = MakeFont(18, FW_BOLD);
    m_hButtonFont = MakeFont(13, FW_BOLD);

    auto child = [this](const char* cls, const char* text, DWORD style, const RECT& r, UINT id) {
        HWND hwnd = ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                      r.bottom - r.top, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                      ::GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hButtonFont.get()), FALSE);
        return hwnd;
    };
    HWND list = child("LISTBOX", kListName,
                      LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, kListRect,
                      kListId);
    m_pList->SubclassWindow(list);
    m_hStart = child("BUTTON", "", BS_OWNERDRAW, kStartRect, kStartId);
    m_hSettings = child("BUTTON", LibraryTextOr(IDS_PLAYER_SETTINGS, "Settings").c_str(), BS_OWNERDRAW, kSettingsRect,
                       kSettingsId);
    m_hCopy = child("BUTTON", LibraryTextOr(IDS_PLAYER_COPY, "Copy pictures").c_str(), BS_OWNERDRAW, kCopyRect, kCopyId);
    UpdateButtons();
    return true;
}

HWND CNativeMenuPlayer::ListWindow() const
{
    return m_pList->GetSafeHwnd();
}

// The movie operations, as the menu movie answers them.

bool CNativeMenuPlayer::Play()
{
    if (m_bReload) {
        m_bReload = false;
        LoadDocument();
    }
    return true;
}

bool CNativeMenuPlayer::Rewind()
{
    m_bReload = true;
    return true;
}

std::int32_t CNativeMenuPlayer::FlashVersion()
{
    return kRequiredFlashVersion;
}

bool CNativeMenuPlayer::LoadMovie(std::int32_t, const std::string& url)
{
    m_strMoviePath = url;
    return true;
}

bool CNativeMenuPlayer::TGotoFrame(const std::string& target, std::int32_t frame)
{
    if (target == "_root" && frame == 0) {
        m_model.Clear();
        m_bListUnreadable = false;
        m_bFoundOnly = false;
        m_strProblem.clear();
        FillList();
    }
    return true;
}

bool CNativeMenuPlayer::TGotoLabel(const std::string& target, const std::string& label)
{
    m_model.GotoLabel(target, label);
    UpdateButtons();
    return true;
}

std::string CNativeMenuPlayer::TCurrentLabel(const std::string& target)
{
    return m_model.CurrentLabel(target);
}

bool CNativeMenuPlayer::TPlay(const std::string& target)
{
    m_bUserChose = true;
    m_model.Play(target);
    ShowSelection();
    return true;
}

bool CNativeMenuPlayer::SetVariable(const std::string& name, const std::string& value)
{
    m_model.SetVariable(name, value);
    if (name == "_root:XMLFile")
        m_bReload = true;
    return true;
}

std::string CNativeMenuPlayer::GetVariable(const std::string& name)
{
    return m_model.GetVariable(name);
}

// While the menu is built.

void CNativeMenuPlayer::ShowFoundEntries(const std::vector<player::MenuEntry>& entries)
{
    m_bListUnreadable = false;
    m_strProblem.clear();
    // Pictures wait for the document; the rows show their letters until then.
    m_bPicturesPending = false;
    // Rows found in the order shown so far only add rows.
    const std::vector<player::MenuEntry>& shown = m_model.Entries();
    if (m_bFoundOnly && shown.size() <= entries.size() &&
        std::equal(shown.begin(), shown.end(), entries.begin(),
                   [](const player::MenuEntry& a, const player::MenuEntry& b) { return a.id == b.id; })) {
        std::vector<player::MenuEntry> added(entries.begin() + static_cast<std::ptrdiff_t>(shown.size()), entries.end());
        AddRows(added);
        m_model.Append(std::move(added));
        ::ShowWindow(ListWindow(), m_model.Entries().empty() ? SW_HIDE : SW_SHOWNA);
        ShowSelection();
        return;
    }
    // A row the user chose stays chosen while more rows arrive; else the
    // first row is.
    const player::MenuEntry* selected = m_model.SelectedEntry();
    const std::string selectedId = selected && m_bUserChose ? selected->id : std::string();
    std::vector<player::MenuEntry> rows = entries;
    for (player::MenuEntry& entry : rows)
        entry.focus = !selectedId.empty() && entry.id == selectedId;
    m_model.Load(std::move(rows));
    m_bFoundOnly = true;
    FillList();
}

void CNativeMenuPlayer::ShowProgress(const std::string& text)
{
    if (m_strProgress.empty() && !text.empty())
        m_dwProgressSince = ::GetTickCount();
    const bool wasShown = ProgressShown();
    m_strProgress = text;
    // Screen readers name the list by its text: it says that it is filling.
    ::SetWindowTextA(ListWindow(), text.empty() ? kListName : text.c_str());
    if (wasShown || ProgressShown()) {
        RECT line = ProgressRect();
        ::InvalidateRect(m_hWnd, &line, FALSE);
        ::InvalidateRect(m_hWnd, &kListRect, FALSE);
    }
}

bool CNativeMenuPlayer::ProgressShown() const
{
    return !m_strProgress.empty() && ::GetTickCount() - m_dwProgressSince >= kProgressDelayMs;
}

void CNativeMenuPlayer::ShowProblem(const std::string& text)
{
    m_strProblem = text;
    ::InvalidateRect(m_hWnd, &kListRect, FALSE);
}

// Document, list and selection.

void CNativeMenuPlayer::LoadDocument()
{
    std::vector<player::MenuEntry> entries;
    std::optional<std::string> bytes =
        support::ReadFileBytes(m_model.GetVariable("_root:XMLFile"), support::kMaxXmlDocumentBytes);
    // The document is in the ANSI code page it was written in.
    auto elements = bytes ? support::ReadXmlElements(*bytes, ::GetACP(), "data") : std::nullopt;
    m_bListUnreadable = !elements;
    m_bFoundOnly = false;
    m_bUserChose = false;
    m_strProblem.clear();
    if (elements)
        for (const support::XmlAttributes& attributes : *elements)
            entries.push_back(player::EntryFromAttributes(attributes));
    m_model.Load(std::move(entries));
    m_pictures.clear();
    // The picture decoder's first start costs more than all the rows; the
    // timer fires once everything else is drawn.
    m_bPicturesPending = !m_model.Entries().empty();
    if (m_bPicturesPending)
        ::SetTimer(m_hWnd, kPicturesTimer, 1, nullptr);
    FillList();
}

void CNativeMenuPlayer::AddRows(const std::vector<player::MenuEntry>& entries)
{
    // Without redrawing: each row would repaint the list and its scroll bar.
    HWND list = ListWindow();
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const player::MenuEntry& entry : entries)
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(player::PlainName(entry.name).c_str()));
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void CNativeMenuPlayer::FillList()
{
    HWND list = ListWindow();
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageA(list, LB_SETITEMHEIGHT, 0, kRowHeight);
    AddRows(m_model.Entries());
    // An empty list gives way to the text that says why it is empty.
    ::ShowWindow(list, m_model.Entries().empty() ? SW_HIDE : SW_SHOWNA);
    ::InvalidateRect(m_hWnd, &kListRect, FALSE);
    ShowSelection();
}

void CNativeMenuPlayer::ShowSelection()
{
    ::SendMessageA(ListWindow(), LB_SETCURSEL, static_cast<WPARAM>(m_model.Selected()), 0);
    UpdateButtons();
    ::InvalidateRect(ListWindow(), nullptr, TRUE);
    ::InvalidateRect(m_hWnd, &kCardRect, FALSE);
}

void CNativeMenuPlayer::UpdateButtons()
{
    const player::MenuEntry* entry = m_model.SelectedEntry();
    ::SetWindowTextA(m_hStart, entry ? entry->execButton.c_str() : "");
    ::EnableWindow(m_hStart, entry && m_model.CanStart());
    ::InvalidateRect(m_hStart, nullptr, FALSE);
}

void CNativeMenuPlayer::StartSelected(bool fromList)
{
    const player::MenuEntry* entry = m_model.SelectedEntry();
    if (!entry || !(fromList ? m_model.CanStartFromList() : m_model.CanStart()))
        return;
    FireCommand("EXEC", entry->id);
}

const CPicture& CNativeMenuPlayer::Picture(const std::string& path, int width, int height)
{
    static const CPicture none;
    if (m_bPicturesPending || m_bFoundOnly)
        return none;
    std::string key = path + "|" + std::to_string(width) + "x" + std::to_string(height);
    auto found = m_pictures.find(key);
    if (found == m_pictures.end())
        found = m_pictures.emplace(key, LoadPictureFile(path, width, height)).first;
    return found->second;
}

// Drawing.

void CNativeMenuPlayer::Paint(HDC target)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    fw::ScopedMemoryDC dc(target);
    fw::UniqueBitmap buffer(::CreateCompatibleBitmap(target, client.right, client.bottom));
    fw::ScopedSelect selectBuffer(dc.get(), buffer.get());
    FillGradient(dc.get(), client, kBackTop, kBackBottom);
    FillRounded(dc.get(), RECT{kListRect.left - 1, kListRect.top - 1, kListRect.right + 1, kListRect.bottom + 1},
                kListBack, kCardBorder, 10);
    FillRounded(dc.get(), kCardRect, kCardBack, kCardBorder, 12);

    const player::MenuEntry* entry = m_model.SelectedEntry();
    ::SetBkMode(dc.get(), TRANSPARENT);
    if (!entry) {
        DrawEmptyMenu(dc.get());
    } else {
        RECT iconBox{kCardRect.left + 16, kCardRect.top + 16, kCardRect.left + 16 + kCardIcon,
                     kCardRect.top + 16 + kCardIcon};
        const CPicture& icon = Picture(entry->icon, kCardIcon, kCardIcon);
        if (icon)
            DrawPicture(dc.get(), icon, iconBox);
        else if (!m_bPicturesPending)
            DrawPlaceholder(dc.get(), iconBox, entry->name, m_hTitleFont.get());
        RECT nameBox{iconBox.right + 14, iconBox.top, kCardRect.right - 14, iconBox.bottom};
        DrawName(dc.get(), entry->name, nameBox, m_hTitleFont.get(), m_hFont.get(), kText);
        RECT infoBox{kCardRect.left + 16, iconBox.bottom + 18, kCardRect.right - 16, kCardRect.bottom - 16};
        DrawPicture(dc.get(), Picture(entry->infoSwf, infoBox.right - infoBox.left, infoBox.bottom - infoBox.top),
                    infoBox);
    }
    if (ProgressShown())
        DrawProgress(dc.get());
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

RECT CNativeMenuPlayer::ProgressRect() const
{
    // In the empty list, or at the foot of the card while rows arrive.
    if (m_model.Entries().empty()) {
        const int middle = (kListRect.top + kListRect.bottom) / 2;
        return RECT{kListRect.left + 8, middle - 10, kListRect.right - 8, middle + 12};
    }
    return RECT{kCardRect.left + 16, kCardRect.bottom - 34, kCardRect.right - 16, kCardRect.bottom - 12};
}

void CNativeMenuPlayer::DrawProgress(HDC dc)
{
    RECT box = ProgressRect();
    fw::ScopedSelect font(dc, m_hSmallFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kMutedText);
    ::DrawTextA(dc, m_strProgress.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CNativeMenuPlayer::DrawEmptyMenu(HDC dc)
{
    // A menu still being built is not empty yet: its progress line speaks.
    if (!m_strProgress.empty())
        return;
    const int middle = (kListRect.top + kListRect.bottom) / 2;
    const UINT format = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    ::SetTextColor(dc, kMutedText);
    fw::ScopedSelect font(dc, m_hFont.get());
    if (!m_strProblem.empty()) {
        // Why the menu could not be built, paths included: wrapped lines.
        RECT box{kListRect.left + 16, kListRect.top + 16, kListRect.right - 16, kListRect.bottom - 16};
        RECT measured = box;
        const UINT wrapped = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
        ::DrawTextA(dc, m_strProblem.c_str(), -1, &measured, wrapped | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        if (height < box.bottom - box.top)
            box.top = middle - height / 2;
        ::DrawTextA(dc, m_strProblem.c_str(), -1, &box, wrapped);
        return;
    }
    std::string empty = LibraryTextOr(IDS_PLAYER_EMPTY, "No applications are installed.");
    RECT box{kListRect.left + 8, middle - (m_bListUnreadable ? 22 : 10), kListRect.right - 8, middle + 12};
    ::DrawTextA(dc, empty.c_str(), -1, &box, format);
    if (!m_bListUnreadable)
        return;
    fw::ScopedSelect small(dc, m_hSmallFont.get());
    std::string reason = LibraryTextOr(IDS_PLAYER_UNREADABLE, "The menu list could not be read.");
    box = RECT{kListRect.left + 8, middle + 4, kListRect.right - 8, middle + 24};
    ::DrawTextA(dc, reason.c_str(), -1, &box, format);
}

void CNativeMenuPlayer::DrawEntry(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT row = item.rcItem;
    fw::UniqueBrush back(::CreateSolidBrush(kListBack));
    ::FillRect(dc, &row, back.get());
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_model.Entries().size())
        return;
    const player::MenuEntry& entry = m_model.Entries()[item.itemID];
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected)
        FillRounded(dc, RECT{row.left + 4, row.top + 3, row.right - 4, row.bottom - 3}, kAccent, kAccent, 10);
    RECT iconBox{row.left + 14, row.top + (kRowHeight - kRowIcon) / 2, row.left + 14 + kRowIcon,
                 row.top + (kRowHeight + kRowIcon) / 2};
    const CPicture& icon = Picture(entry.icon, kRowIcon, kRowIcon);
    if (icon)
        DrawPicture(dc, icon, iconBox);
    else if (!m_bPicturesPending)
        DrawPlaceholder(dc, iconBox, entry.name, m_hFont.get());
    RECT nameBox{iconBox.right + 14, row.top + 4, row.right - 12, row.bottom - 4};
    DrawName(dc, entry.name, nameBox, m_hFont.get(), m_hSmallFont.get(), selected ? kText : RGB(0xE4, 0xE9, 0xF1));
}

void CNativeMenuPlayer::DrawButton(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    bool primary = item.CtlID == kStartId;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    COLORREF fill = disabled ? kDisabled : primary ? (pressed ? kAccentDark : kAccent) : (pressed ? kSecondaryDark : kSecondary);
    RECT parentBack = item.rcItem;
    FillGradient(dc, parentBack, RGB(0x1A, 0x20, 0x2D), RGB(0x17, 0x1C, 0x27));
    FillRounded(dc, item.rcItem, fill, fill, 10);
    char text[128] = {};
    ::GetWindowTextA(item.hwndItem, text, sizeof text);
    fw::ScopedSelect font(dc, m_hButtonFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? kDisabledText : kText);
    RECT box = item.rcItem;
    if (pressed)
        ::OffsetRect(&box, 0, 1);
    ::DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// The window's messages.

bool CNativeMenuPlayer::OnPaint()
{
    fw::ScopedPaint paint(m_hWnd);
    Paint(paint.get());
    return true;
}

bool CNativeMenuPlayer::OnEraseBackground(HDC)
{
    return true; // the paint covers everything
}

bool CNativeMenuPlayer::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType == ODT_LISTBOX)
        DrawEntry(item);
    else
        DrawButton(item);
    return true;
}

bool CNativeMenuPlayer::OnTimer(UINT_PTR id)
{
    if (id != kPicturesTimer)
        return false;
    ::KillTimer(m_hWnd, kPicturesTimer);
    m_bPicturesPending = false;
    ::InvalidateRect(ListWindow(), nullptr, FALSE);
    ::InvalidateRect(m_hWnd, &kCardRect, FALSE);
    return true;
}

bool CNativeMenuPlayer::OnMeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = kRowHeight;
    return true;
}

bool CNativeMenuPlayer::OnCommand(UINT code, int id, HWND control)
{
    if (id != kListId)
        return fw::CWnd::OnCommand(code, id, control);
    if (code == LBN_SELCHANGE) {
        m_bUserChose = true;
        m_model.Select(static_cast<int>(::SendMessageA(ListWindow(), LB_GETCURSEL, 0, 0)));
        ShowSelection();
    } else if (code == LBN_DBLCLK) {
        StartSelected(true);
    }
    return true;
}

bool CNativeMenuPlayer::OnButtonClicked(int id)
{
    switch (id) {
    case kStartId:
        StartSelected(false);
        return true;
    case kSettingsId:
        FireCommand("CONFIG", "");
        return true;
    case kCopyId:
        FireCommand("COPY", "");
        return true;
    default:
        return false;
    }
}

bool CNativeMenuPlayer::OnMouseWheel(short, UINT, POINT)
{
    ForwardTo(::GetParent(m_hWnd));
    return true;
}

HBRUSH CNativeMenuPlayer::OnControlColor(UINT kind, HDC, HWND)
{
    if (kind != CTLCOLOR_LISTBOX)
        return nullptr;
    if (!m_hListBrush)
        m_hListBrush.reset(::CreateSolidBrush(kListBack));
    return m_hListBrush.get();
}
