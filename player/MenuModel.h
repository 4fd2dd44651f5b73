// What the built-in menu player shows and answers, apart from drawing: the
// entries of the menu document, the selection, the labels of the movie's
// clips and the movie's variables, following the menu movie's contract.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace player {

struct MenuEntry {
    std::string id;
    std::string name;
    std::string infoSwf;
    std::string execButton;
    std::string icon;
    bool focus = false;
};

// The entry of one element of the menu document, from its attributes: texts
// as they stand (markers and code page bytes included), a missing one empty,
// focus only for exactly "true", any other attribute ignored.
MenuEntry EntryFromAttributes(const std::map<std::string, std::string>& attributes);

// A name's markers: "[CR]" breaks the line, a leading "[SMALL]" makes the
// whole name smaller.
struct NameLayout {
    bool small = false;
    std::vector<std::string> lines;
};
NameLayout LayoutName(const std::string& name);
// The name as one line of plain text, for accessible names.
std::string PlainName(const std::string& name);
// A text for a control whose ampersands mark mnemonics: each shows as itself.
std::string WithoutMnemonics(const std::string& text);

class MenuModel {
public:
    // Replaces the entries; the one with focus is selected, else the first.
    void Load(std::vector<MenuEntry> entries);
    // Adds entries after the last one; the selection stays (the first entry
    // when there was none).
    void Append(std::vector<MenuEntry> entries);
    // The empty state of frame 0: no entries, nothing selected.
    void Clear();

    void GotoLabel(const std::string& target, const std::string& label);
    // Plays a clip: the menu clip performs its pending step.
    void Play(const std::string& target);
    std::string CurrentLabel(const std::string& target) const;

    void SetVariable(const std::string& name, const std::string& value);
    std::string GetVariable(const std::string& name) const;

    void Select(int index);
    int Selected() const { return m_nSelected; } // -1 when empty
    const std::vector<MenuEntry>& Entries() const { return m_entries; }
    const MenuEntry* SelectedEntry() const;

    // Whether the parts the menu window locks may act.
    bool CanStart() const { return !IsDisabled(kExecuteTarget); }
    bool CanStartFromList() const { return !IsDisabled(kMenuExecTarget); }

    static const char kMenuTarget[];
    static const char kButtonUpTarget[];
    static const char kButtonDownTarget[];
    static const char kExecuteTarget[];
    static const char kMenuExecTarget[];

private:
    bool IsDisabled(const std::string& target) const;

    std::vector<MenuEntry> m_entries;
    int m_nSelected = -1;
    std::map<std::string, std::string> m_labels;
    std::map<std::string, std::string> m_variables;
};

} // namespace player
