// The built-in player's window: its child controls, the pictures it draws,
// and its messages, with the drawing left to the painter.
#include "NativeMenuPlayer.h"

#include "framework/GdiGuards.h"
#include "support/ResourceLibrary.h"

#include <utility>

const char CNativeMenuPlayer::kClassName[] = "LumbraMenuPlayer";

namespace {
const CPicture& NoPicture()
{
    static const CPicture none;
    return none;
}
} // namespace

// The entry list: a list box that leaves the keys and the wheel to the main
// window, whose pre-translation already moved the selection through the
// menu labels. Typed letters are its own: they select the next entry whose
// name starts with them, which the list reports as a new selection.
class CNativeMenuPlayer::CEntryList : public fw::CWnd {
protected:
    bool OnMouseWheel(short, UINT, POINT) override
    {
        ForwardTo(::GetAncestor(m_hWnd, GA_ROOT));
        return true;
    }
    bool OnKeyDown(UINT, UINT) override { return true; }
    bool OnKeyUp(UINT, UINT) override { return true; }
    bool OnChar(UINT character, UINT) override
    {
        if (character >= ' ' && character != 0x7F)
            Default();
        return true;
    }
};

CNativeMenuPlayer::CNativeMenuPlayer() : m_pList(std::make_unique<CEntryList>()) {}

CNativeMenuPlayer::~CNativeMenuPlayer() = default;

bool CNativeMenuPlayer::Create(HWND parent, const RECT& rect, UINT controlId, int dpi)
{
    RegisterOwnClass(kClassName, CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    // A control parent: the dialog's mnemonics reach the buttons inside.
    if (!fw::CWnd::Create(kClassName, "Imagora Menu", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                          rect, parent, controlId))
        return false;
    m_painter.SetDpi(dpi);
    const player::MenuLayout& layout = Layout();

    auto child = [this](const char* cls, const char* text, DWORD style, const RECT& r, UINT id) {
        HWND hwnd = ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                      r.bottom - r.top, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                      ::GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_painter.ButtonFont()), FALSE);
        return hwnd;
    };
    HWND list = child("LISTBOX", kListName,
                      LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                      layout.list, kListId);
    m_pList->SubclassWindow(list);
    m_hStart = child("BUTTON", "", BS_OWNERDRAW, layout.start, kStartId);
    m_hSettings = child("BUTTON", LibraryTextOr(IDS_PLAYER_SETTINGS, "&Settings").c_str(), BS_OWNERDRAW,
                        layout.settings, kSettingsId);
    m_hCopy =
        child("BUTTON", LibraryTextOr(IDS_PLAYER_COPY, "&Copy pictures").c_str(), BS_OWNERDRAW, layout.copy, kCopyId);
    UpdateButtons();
    return true;
}

void CNativeMenuPlayer::SetDpi(int dpi)
{
    // The old fonts go: the controls are handed the new ones at once.
    m_painter.SetDpi(dpi);
    if (!m_hWnd)
        return;
    const player::MenuLayout& layout = Layout();
    const std::pair<HWND, const RECT*> places[] = {{ListWindow(), &layout.list},
                                                   {m_hStart, &layout.start},
                                                   {m_hSettings, &layout.settings},
                                                   {m_hCopy, &layout.copy}};
    for (const auto& [control, place] : places) {
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_painter.ButtonFont()), FALSE);
        ::MoveWindow(control, place->left, place->top, place->right - place->left, place->bottom - place->top, FALSE);
    }
    ::SendMessageA(ListWindow(), LB_SETITEMHEIGHT, 0, layout.rowHeight);
    // The pictures are decoded again at the sizes they are now drawn at.
    m_pictures.clear();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND CNativeMenuPlayer::ListWindow() const
{
    return m_pList->GetSafeHwnd();
}

const CPicture& CNativeMenuPlayer::Picture(const std::string& path, int width, int height)
{
    if (m_bPicturesPending || m_bFoundOnly)
        return NoPicture();
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
    m_painter.DrawBackground(dc.get(), client);
    const player::MenuEntry* entry = m_model.SelectedEntry();
    if (entry) {
        const RECT& info = Layout().infoBox;
        const CPicture& icon = Picture(entry->icon, Layout().cardIcon, Layout().cardIcon);
        m_painter.DrawCard(dc.get(), *entry, icon,
                           Picture(entry->infoSwf, info.right - info.left, info.bottom - info.top), m_bPicturesPending);
    } else if (m_strProgress.empty()) {
        // A menu still being built is not empty yet: its progress line speaks.
        m_painter.DrawEmptyMenu(dc.get(), m_strProblem, m_bListUnreadable);
    }
    if (ProgressShown())
        m_painter.DrawProgress(dc.get(), m_strProgress, m_model.Entries().empty());
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

void CNativeMenuPlayer::DrawEntry(const DRAWITEMSTRUCT& item)
{
    const std::vector<player::MenuEntry>& entries = m_model.Entries();
    const player::MenuEntry* entry =
        item.itemID != static_cast<UINT>(-1) && item.itemID < entries.size() ? &entries[item.itemID] : nullptr;
    m_painter.DrawRow(item, entry, entry ? Picture(entry->icon, Layout().rowIcon, Layout().rowIcon) : NoPicture(),
                      m_bPicturesPending);
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
        m_painter.DrawButton(item, item.CtlID == kStartId);
    return true;
}

bool CNativeMenuPlayer::OnTimer(UINT_PTR id)
{
    if (id != kPicturesTimer)
        return false;
    ::KillTimer(m_hWnd, kPicturesTimer);
    m_bPicturesPending = false;
    ::InvalidateRect(ListWindow(), nullptr, FALSE);
    ::InvalidateRect(m_hWnd, &Layout().card, FALSE);
    return true;
}

bool CNativeMenuPlayer::OnMeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = Layout().rowHeight;
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
    return kind == CTLCOLOR_LISTBOX ? m_painter.ListBrush() : nullptr;
}
