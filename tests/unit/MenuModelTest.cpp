#include "player/MenuModel.h"

#include <gtest/gtest.h>

using namespace player;

namespace {
std::vector<MenuEntry> Entries(int count, int focus = -1)
{
    std::vector<MenuEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({"App" + std::to_string(i) + ".dll", "", "", "", "", i == focus});
    return entries;
}

// What the menu window does for the Up key ("Down1") and the Down key, 50 times.
void Steps(MenuModel& m, const char* button, const char* label)
{
    for (int i = 0; i < 50; ++i)
        if (m.CurrentLabel(button) != "Disable") {
            m.GotoLabel(MenuModel::kMenuTarget, label);
            m.Play(MenuModel::kMenuTarget);
        }
}
} // namespace

TEST(MenuModel, SelectsTheFocusedEntryElseTheFirstAndStepsUntilTheEnds)
{
    const std::tuple<int, int, int, const char*, const char*> cases[] = {{0, -1, -1, "Disable", "Disable"},
                                                                         {1, -1, 0, "Disable", "Disable"},
                                                                         {40, -1, 0, "Disable", "Up"},
                                                                         {40, 39, 39, "Up", "Disable"},
                                                                         {40, 2, 2, "Up", "Up"}};
    for (const auto& [count, focus, selected, upLabel, downLabel] : cases) {
        MenuModel m;
        m.Load(Entries(count, focus));
        EXPECT_EQ(m.Selected(), selected);
        EXPECT_EQ(m.GetVariable("_root:CurrentDLL"), selected < 0 ? "" : "App" + std::to_string(selected) + ".dll");
        EXPECT_EQ(m.CurrentLabel(MenuModel::kButtonUpTarget), upLabel) << count << " " << focus;
        EXPECT_EQ(m.CurrentLabel(MenuModel::kButtonDownTarget), downLabel) << count << " " << focus;
        Steps(m, MenuModel::kButtonDownTarget, "Up1");
        EXPECT_EQ(m.Selected(), count - 1);
        Steps(m, MenuModel::kButtonUpTarget, "Down1");
        EXPECT_EQ(m.Selected(), count ? 0 : -1);
    }
}

TEST(MenuModel, AppendedEntriesFollowAndKeepTheSelection)
{
    MenuModel m;
    m.Append(Entries(2));
    EXPECT_EQ(m.Selected(), 0) << "the first entry of an empty menu";
    m.Select(1);
    m.Append(Entries(3));
    EXPECT_EQ(m.Entries().size(), 5u);
    EXPECT_EQ(m.Selected(), 1);
    EXPECT_EQ(m.Entries()[4].id, "App2.dll");
    EXPECT_EQ(m.CurrentLabel(MenuModel::kButtonDownTarget), "Up") << "more entries below it now";
}

TEST(MenuModel, VariablesOutliveTheEntries)
{
    MenuModel m;
    m.Load(Entries(2));
    m.SetVariable("_root:XMLFile", "C:\\Temp\\PortalApp.xml");
    m.Clear();
    EXPECT_EQ(m.Selected(), -1);
    EXPECT_EQ(m.GetVariable("_root:CurrentDLL") + "|" + m.GetVariable("_root:XMLFile") + "|" + m.GetVariable("unknown"),
              "|C:\\Temp\\PortalApp.xml|");
}

TEST(LayoutName, BreaksLinesAndShrinksALeadingSmallMarker)
{
    const std::tuple<const char*, bool, std::vector<std::string>, const char*> cases[] = {
        {"Photo[CR]Album", false, {"Photo", "Album"}, "Photo Album"},
        {"Photo [CR]Album", false, {"Photo ", "Album"}, "Photo Album"},
        {"[SMALL]Online Print[CR]Service", true, {"Online Print", "Service"}, "Online Print Service"},
        {"Tools [SMALL]", false, {"Tools [SMALL]"}, "Tools [SMALL]"},
        {"A[CR][CR]B", false, {"A", "", "B"}, "A B"},
        {"", false, {""}, ""},
    };
    for (const auto& [name, small, lines, plain] : cases) {
        NameLayout layout = LayoutName(name);
        EXPECT_EQ(layout.small, small) << name;
        EXPECT_EQ(layout.lines, lines) << name;
        EXPECT_EQ(PlainName(name), plain);
    }
}

TEST(WithoutMnemonics, DoublesEveryAmpersandAndKeepsTheRest)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Print & Share", "Print && Share"}, {"&&A&", "&&&&A&&"}, {"\x83\x5C&", "\x83\x5C&&"}, {"", ""}};
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(WithoutMnemonics(text), escaped) << text;
}

TEST(EntryFromAttributes, TakesTheTextsAsTheyStandAndFocusOnlyForExactlyTrue)
{
    using Attributes = std::map<std::string, std::string>;
    // 100 bytes, the longest name a plug-in gives; code page 932 with 0x5C
    // trail bytes next to the markers.
    const std::string longest = "[SMALL]" + std::string(45, 'A') + "[CR]" + std::string(44, 'B');
    const std::string sjis = "[SMALL]\x83\x5C\x83\x74\x83\x67[CR]\x95\x5C";
    const std::pair<Attributes, MenuEntry> cases[] = {
        {{{"id", "Album.dll"},
          {"name", "Photo[CR]Album"},
          {"infoswf", "Info\\Album.png"},
          {"execbtn", "Open"},
          {"icon", "Album.png"},
          {"focus", "true"},
          {"ID", "Other.dll"},
          {"title", "x"}},
         {"Album.dll", "Photo[CR]Album", "Info\\Album.png", "Open", "Album.png", true}},
        {{}, {}},
        {{{"id", "A.dll"}, {"focus", "TRUE"}}, {"A.dll", "", "", "", "", false}},
        {{{"name", longest}, {"execbtn", std::string(100, 'C')}}, {"", longest, "", std::string(100, 'C'), "", false}},
        {{{"name", sjis}, {"execbtn", "\x8B\x4E\x93\xAE"}, {"icon", "\x83\x41\x83\x43\x83\x52\x83\x93\\\x95\x5C.png"}},
         {"", sjis, "", "\x8B\x4E\x93\xAE", "\x83\x41\x83\x43\x83\x52\x83\x93\\\x95\x5C.png", false}},
    };
    auto fields = [](const MenuEntry& e) { return std::tie(e.id, e.name, e.infoSwf, e.execButton, e.icon, e.focus); };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(fields(EntryFromAttributes(cases[i].first)), fields(cases[i].second)) << "case " << i;
    for (const char* notTrue : {"1", "", "true "})
        EXPECT_FALSE(EntryFromAttributes({{"focus", notTrue}}).focus) << notTrue;
}
