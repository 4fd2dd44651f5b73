// The built-in player's movie operations, as the menu movie answers them,
// and the document, list and selection they change.
#include "NativeMenuPlayer.h"

#include "support/FileBytes.h"
#include "support/XmlElementReader.h"

#include <algorithm>

const char CNativeMenuPlayer::kListName[] = "Applications";

namespace {
// The progress line shows once a build has run this long.
const DWORD kProgressDelayMs = 500;
} // namespace

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
        std::vector<player::MenuEntry> added(entries.begin() + static_cast<std::ptrdiff_t>(shown.size()),
                                             entries.end());
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
        RECT line = Layout().ProgressRect(m_model.Entries().empty());
        ::InvalidateRect(m_hWnd, &line, FALSE);
        ::InvalidateRect(m_hWnd, &Layout().list, FALSE);
    }
}

bool CNativeMenuPlayer::ProgressShown() const
{
    return !m_strProgress.empty() && ::GetTickCount() - m_dwProgressSince >= kProgressDelayMs;
}

void CNativeMenuPlayer::ShowProblem(const std::string& text)
{
    m_strProblem = text;
    ::InvalidateRect(m_hWnd, &Layout().list, FALSE);
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
    ::SendMessageA(list, LB_SETITEMHEIGHT, 0, Layout().rowHeight);
    AddRows(m_model.Entries());
    // An empty list gives way to the text that says why it is empty.
    ::ShowWindow(list, m_model.Entries().empty() ? SW_HIDE : SW_SHOWNA);
    ::InvalidateRect(m_hWnd, &Layout().list, FALSE);
    ShowSelection();
}

void CNativeMenuPlayer::ShowSelection()
{
    ::SendMessageA(ListWindow(), LB_SETCURSEL, static_cast<WPARAM>(m_model.Selected()), 0);
    // The labels move the selection, not the user's keys in the list:
    // screen readers hear of the new row from here.
    if (::GetFocus() == ListWindow() && m_model.Selected() >= 0)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, ListWindow(), OBJID_CLIENT, m_model.Selected() + 1);
    UpdateButtons();
    ::InvalidateRect(ListWindow(), nullptr, TRUE);
    ::InvalidateRect(m_hWnd, &Layout().card, FALSE);
}

void CNativeMenuPlayer::UpdateButtons()
{
    const player::MenuEntry* entry = m_model.SelectedEntry();
    // The entry's own caption: an ampersand in it is text, not a mnemonic.
    ::SetWindowTextA(m_hStart, entry ? player::WithoutMnemonics(entry->execButton).c_str() : "");
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
