#include "MenuModel.h"

#include <iterator>

namespace player {

const char MenuModel::kMenuTarget[] = "_root.mcLauncher.mcMenu";
const char MenuModel::kButtonUpTarget[] = "_root.mcLauncher.mcButtonUp";
const char MenuModel::kButtonDownTarget[] = "_root.mcLauncher.mcButtonDown";
const char MenuModel::kExecuteTarget[] = "_root.mcLauncher.mcExecute";
const char MenuModel::kMenuExecTarget[] = "_root.mcLauncher.mcMenu.mcButtonMenuExec";

namespace {
const char kLineBreak[] = "[CR]";
const char kSmall[] = "[SMALL]";
const char kCurrentEntryVariable[] = "_root:CurrentDLL";

std::string Attribute(const std::map<std::string, std::string>& attributes, const char* name)
{
    auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
}
} // namespace

MenuEntry EntryFromAttributes(const std::map<std::string, std::string>& attributes)
{
    MenuEntry entry;
    entry.id = Attribute(attributes, "id");
    entry.name = Attribute(attributes, "name");
    entry.infoSwf = Attribute(attributes, "infoswf");
    entry.execButton = Attribute(attributes, "execbtn");
    entry.icon = Attribute(attributes, "icon");
    entry.focus = Attribute(attributes, "focus") == "true";
    return entry;
}

NameLayout LayoutName(const std::string& name)
{
    NameLayout layout;
    std::string text = name;
    if (text.compare(0, sizeof kSmall - 1, kSmall) == 0) {
        layout.small = true;
        text.erase(0, sizeof kSmall - 1);
    }
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type mark = text.find(kLineBreak, start);
        layout.lines.push_back(text.substr(start, mark == std::string::npos ? std::string::npos : mark - start));
        if (mark == std::string::npos)
            break;
        start = mark + sizeof kLineBreak - 1;
    }
    return layout;
}

std::string PlainName(const std::string& name)
{
    std::string plain;
    for (const std::string& line : LayoutName(name).lines) {
        // "Photo [CR]Album" has its blank already.
        if (!plain.empty() && !line.empty() && plain.back() != ' ')
            plain += ' ';
        plain += line;
    }
    return plain;
}

std::string WithoutMnemonics(const std::string& text)
{
    std::string escaped;
    for (char c : text)
        escaped += c == '&' ? std::string("&&") : std::string(1, c);
    return escaped;
}

void MenuModel::Load(std::vector<MenuEntry> entries)
{
    m_entries = std::move(entries);
    m_nSelected = m_entries.empty() ? -1 : 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].focus) {
            m_nSelected = static_cast<int>(i);
            break;
        }
}

void MenuModel::Append(std::vector<MenuEntry> entries)
{
    m_entries.insert(m_entries.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    if (m_nSelected < 0 && !m_entries.empty())
        m_nSelected = 0;
}

void MenuModel::Clear()
{
    m_entries.clear();
    m_nSelected = -1;
}

void MenuModel::GotoLabel(const std::string& target, const std::string& label)
{
    m_labels[target] = label;
}

void MenuModel::Play(const std::string& target)
{
    if (target != kMenuTarget || m_nSelected < 0)
        return;
    // The movie's "Down1" scrolls the list down, which brings the entry above
    // into the selection; "Up1" the one below.
    const std::string& step = m_labels[target];
    if (step == "Down1" && m_nSelected > 0)
        --m_nSelected;
    else if (step == "Up1" && m_nSelected + 1 < static_cast<int>(m_entries.size()))
        ++m_nSelected;
}

std::string MenuModel::CurrentLabel(const std::string& target) const
{
    const int last = static_cast<int>(m_entries.size()) - 1;
    if (target == kButtonUpTarget)
        return m_nSelected <= 0 ? "Disable" : "Up";
    if (target == kButtonDownTarget)
        return m_nSelected < 0 || m_nSelected >= last ? "Disable" : "Up";
    auto found = m_labels.find(target);
    return found == m_labels.end() ? std::string() : found->second;
}

bool MenuModel::IsDisabled(const std::string& target) const
{
    auto found = m_labels.find(target);
    return found != m_labels.end() && found->second == "Disable";
}

void MenuModel::SetVariable(const std::string& name, const std::string& value)
{
    m_variables[name] = value;
}

std::string MenuModel::GetVariable(const std::string& name) const
{
    if (name == kCurrentEntryVariable) {
        const MenuEntry* entry = SelectedEntry();
        return entry ? entry->id : std::string();
    }
    auto found = m_variables.find(name);
    return found == m_variables.end() ? std::string() : found->second;
}

void MenuModel::Select(int index)
{
    if (index >= 0 && index < static_cast<int>(m_entries.size()))
        m_nSelected = index;
}

const MenuEntry* MenuModel::SelectedEntry() const
{
    return m_nSelected >= 0 ? &m_entries[static_cast<std::size_t>(m_nSelected)] : nullptr;
}

} // namespace player
