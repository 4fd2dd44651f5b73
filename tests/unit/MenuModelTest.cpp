#include "player/MenuModel.h"

#include <gtest/gtest.h>

using namespace player;

namespace {
std::vector<MenuEntry> Entries(int count, int focus = -1)
{
    std::vector<MenuEntry> entries;
    for (int i = 0; i < count; ++i) {
        MenuEntry e;
        e.id = "App" + std::to_string(i) + ".dll";
        e.name = "App " + std::to_string(i);
        e.focus = i == focus;
        entries.push_back(e);
    }
    return entries;
}

// What the menu window does for the Up arrow key and for the Down key.
void StepUp(MenuModel& m)
{
    if (m.CurrentLabel(MenuModel::kButtonUpTarget) == "Disable")
        return;
    m.GotoLabel(MenuModel::kMenuTarget, "Down1");
    m.Play(MenuModel::kMenuTarget);
}
void StepDown(MenuModel& m)
{
    if (m.CurrentLabel(MenuModel::kButtonDownTarget) == "Disable")
        return;
    m.GotoLabel(MenuModel::kMenuTarget, "Up1");
    m.Play(MenuModel::kMenuTarget);
}
} // namespace

TEST(MenuModel, SelectsTheFocusedEntryElseTheFirst)
{
    const struct {
        int count;
        int focus;
        int selected;
        const char* current;
    } cases[] = {{0, -1, -1, ""}, {1, -1, 0, "App0.dll"}, {12, -1, 0, "App0.dll"}, {12, 2, 2, "App2.dll"}};
    for (const auto& c : cases) {
        MenuModel m;
        m.Load(Entries(c.count, c.focus));
        EXPECT_EQ(m.Selected(), c.selected);
        EXPECT_EQ(m.GetVariable("_root:CurrentDLL"), c.current);
    }
}

TEST(MenuModel, StepsStopAtTheEndsWhereTheButtonsSayDisable)
{
    MenuModel m;
    m.Load(Entries(3, 2));
    EXPECT_EQ(m.CurrentLabel(MenuModel::kButtonDownTarget), "Disable");
    EXPECT_EQ(m.CurrentLabel(MenuModel::kButtonUpTarget), "Up");
    StepDown(m);
    EXPECT_EQ(m.Selected(), 2);
    StepUp(m);
    StepUp(m);
    EXPECT_EQ(m.GetVariable("_root:CurrentDLL"), "App0.dll");
    EXPECT_EQ(m.CurrentLabel(MenuModel::kButtonUpTarget), "Disable");
    StepUp(m);
    EXPECT_EQ(m.Selected(), 0);
    StepDown(m);
    EXPECT_EQ(m.GetVariable("_root:CurrentDLL"), "App1.dll");

    MenuModel empty;
    empty.Load({});
    EXPECT_EQ(empty.CurrentLabel(MenuModel::kButtonUpTarget), "Disable");
    EXPECT_EQ(empty.CurrentLabel(MenuModel::kButtonDownTarget), "Disable");
    StepDown(empty);
    EXPECT_EQ(empty.Selected(), -1);
}

TEST(MenuModel, LockLabelsDisableStartingUntilRestored)
{
    MenuModel m;
    m.Load(Entries(2));
    EXPECT_TRUE(m.CanStart());
    m.GotoLabel(MenuModel::kExecuteTarget, "Disable");
    m.GotoLabel(MenuModel::kMenuExecTarget, "Disable");
    EXPECT_FALSE(m.CanStart());
    EXPECT_FALSE(m.CanStartFromList());
    EXPECT_EQ(m.CurrentLabel(MenuModel::kExecuteTarget), "Disable");
    m.GotoLabel(MenuModel::kExecuteTarget, "Up");
    m.GotoLabel(MenuModel::kMenuExecTarget, "Selected");
    EXPECT_TRUE(m.CanStart());
    EXPECT_TRUE(m.CanStartFromList());
}

TEST(MenuModel, KeepsEveryVariableAndClearsToTheEmptyState)
{
    MenuModel m;
    m.SetVariable("_root:XMLFile", "C:\\Temp\\PortalApp.xml");
    m.SetVariable("_root.mcConfig.mcStaticButton_Back:Text", "Back");
    EXPECT_EQ(m.GetVariable("_root:XMLFile"), "C:\\Temp\\PortalApp.xml");
    EXPECT_EQ(m.GetVariable("_root.mcConfig.mcStaticButton_Back:Text"), "Back");
    EXPECT_EQ(m.GetVariable("unknown"), "");
    m.Load(Entries(4, 1));
    m.Clear();
    EXPECT_EQ(m.Selected(), -1);
    EXPECT_EQ(m.GetVariable("_root:CurrentDLL"), "");
    EXPECT_EQ(m.GetVariable("_root:XMLFile"), "C:\\Temp\\PortalApp.xml");
}

TEST(LayoutName, BreaksLinesAndShrinksALeadingSmallMarker)
{
    const struct {
        const char* name;
        bool small;
        std::vector<std::string> lines;
        const char* plain;
    } cases[] = {
        {"Photo Viewer", false, {"Photo Viewer"}, "Photo Viewer"},
        {"Photo[CR]Album", false, {"Photo", "Album"}, "Photo Album"},
        {"[SMALL]Slide Show", true, {"Slide Show"}, "Slide Show"},
        {"[SMALL]Online Print[CR]Service", true, {"Online Print", "Service"}, "Online Print Service"},
        {"Tools [SMALL]", false, {"Tools [SMALL]"}, "Tools [SMALL]"},
        {"A[CR][CR]B", false, {"A", "", "B"}, "A B"},
        {"", false, {""}, ""},
    };
    for (const auto& c : cases) {
        NameLayout layout = LayoutName(c.name);
        EXPECT_EQ(layout.small, c.small) << c.name;
        EXPECT_EQ(layout.lines, c.lines) << c.name;
        EXPECT_EQ(PlainName(c.name), c.plain);
    }
}
