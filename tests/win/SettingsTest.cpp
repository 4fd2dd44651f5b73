// The settings dialog and its application list in process, on real test
// plug-ins and the real templates and skins: what a user sees (pixels, check
// boxes, order), what the mouse and keys do, and what is stored.
#include "framework/Dialog.h"
#include "framework/GdiGuards.h"
#include "settings/SettingsDlg.h"
#include "support/Registry.h"
#include "tests/common/Accessibility.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/PixelHelpers.h"
#include "tests/common/TestSuite.h"
#include "ui/SkinFont.h"
#include "ui/VersionInfoDlg.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

using namespace testing_support;

namespace {
WNDPROC g_belowRefusal = nullptr;
LRESULT CALLBACK RefuseInserts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return msg == LVM_INSERTITEMA ? -1 : ::CallWindowProcA(g_belowRefusal, hwnd, msg, wParam, lParam);
}

struct TestSettingsDlg : CSettingsDlg {
    explicit TestSettingsDlg(std::string appInfo) : m_strAppInfo(std::move(appInfo)) {}
    CAppListCtrl& List() { return m_list; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void Click(int id) const { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    bool AutoStart() const { return m_chkAutoStart.GetCheck(); }
    bool XpWizard() const { return m_chkXpWizard.GetCheck(); }
    std::unique_ptr<CAppCatalog> NewCatalog() override
    {
        return std::make_unique<CAppCatalog>(m_strAppInfo, m_strAppInfo);
    }
    std::string m_strAppInfo;
};

const int kRowHeight = 19; // of the list's rows in the dialog's own font

// A key as the loop receives it, aimed at the window with the focus.
const auto PostKey = [](WPARAM key) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 1); };

struct Settings : SuiteTest {
    void TearDown() override { ::DestroyWindow(m_dlg->GetSafeHwnd()), SuiteTest::TearDown(); }

    // Entries named "App 00" … in the order found, each its own plug-in, one
    // of them hidden.
    void Install(int count, int hidden = -1)
    {
        catalog::IdList ids;
        for (int i = 0; i < count; ++i)
            m_suite.Install({ids.emplace_back(Id(i))});
        TestSuite::Store("Sort", catalog::JoinStoredList(ids));
        if (hidden >= 0)
            TestSuite::Store("NoUse", Id(hidden) + "/");
    }
    static std::string Id(int i) { return std::string("App ") + (i < 10 ? "0" : "") + std::to_string(i) + ".dll"; }

    // A new dialog shown modeless.
    void Open(int count, int hidden = -1)
    {
        Install(count, hidden);
        ::DestroyWindow(m_dlg->GetSafeHwnd());
        m_dlg = std::make_unique<TestSettingsDlg>(m_suite.AppInfo());
        ASSERT_TRUE(m_dlg->Create());
        ::ShowWindow(m_dlg->GetSafeHwnd(), SW_SHOW);
        Pump();
    }
    CAppListCtrl& List() { return m_dlg->List(); }
    // The rows' entries by the number in their name, an unchecked one
    // marked: "0 1- 2".
    std::string Rows()
    {
        std::string rows;
        for (int row = 0; row < List().GetItemCount(); ++row)
            rows += (row ? " " : "") + std::to_string(std::stoi(List().GetItemText(row, 1).substr(4, 2))) +
                    (List().GetCheck(row) ? "" : "-");
        return rows;
    }
    void Select(const std::vector<int>& rows)
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        for (int row : rows)
            List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        ::SendMessageA(List().GetSafeHwnd(), LVM_SETSELECTIONMARK, 0, rows.empty() ? -1 : rows[0]); // the anchor
    }
    RECT ItemRect(int row)
    {
        RECT rect{};
        List().GetItemRect(row, rect, LVIR_BOUNDS);
        return rect;
    }
    // A point of a row in list client coordinates.
    POINT RowPoint(int row, int x = 100) { return POINT{x, (ItemRect(row).top + ItemRect(row).bottom) / 2}; }
    void CursorTo(POINT client)
    {
        ::ClientToScreen(List().GetSafeHwnd(), &client);
        ::SetCursorPos(client.x, client.y);
    }
    // Mouse messages as the list receives them, the cursor where they happen.
    // All are queued first: the list waits for a release inside its handling
    // of a press.
    void Mouse(std::initializer_list<UINT> messages, POINT client, std::optional<POINT> cursor = {}, UINT keys = 0)
    {
        CursorTo(cursor.value_or(client));
        for (UINT msg : messages)
            ::PostMessageA(List().GetSafeHwnd(), msg, keys | (msg == WM_LBUTTONUP ? 0 : MK_LBUTTON),
                           MAKELPARAM(client.x, client.y));
        Pump();
    }
    void Click(POINT client, std::optional<POINT> cursor = {}, UINT keys = 0)
    {
        Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP}, client, cursor, keys);
    }
    // Runs `act` while the list refuses every new row, as when it runs out of memory.
    void RefusingInserts(const std::function<void()>& act)
    {
        HWND list = List().GetSafeHwnd();
        g_belowRefusal = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefuseInserts)));
        act();
        ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_belowRefusal));
    }
    // Starts a drag of the selected rows as the list reports one.
    void BeginDrag(POINT at)
    {
        CursorTo(at);
        NMLISTVIEW start{};
        start.hdr = {List().GetSafeHwnd(), IDC_APP_LIST, static_cast<UINT>(LVN_BEGINDRAG)};
        start.ptAction = at;
        ::SendMessageA(m_dlg->GetSafeHwnd(), WM_NOTIFY, IDC_APP_LIST, reinterpret_cast<LPARAM>(&start));
    }

    std::unique_ptr<TestSettingsDlg> m_dlg = std::make_unique<TestSettingsDlg>(m_suite.AppInfo());
};
} // namespace

TEST_F(Settings, RowsAreTheFontPlusSixHighAndShowTheirBoxSeparatorTickAndSelection)
{
    Open(2, 1);
    const std::tuple<int, UINT, COLORREF, COLORREF> cases[] = {
        {0, 0, 0xF4F4F4, CAppListCtrl::kMark},      // checked
        {1, 0, 0xF4F4F4, CAppListCtrl::kBoxInside}, // hidden entry: no tick
        {0, ODS_SELECTED, CAppListCtrl::kSelectedBack, CAppListCtrl::kMark},
    };
    for (const auto& [row, state, back, tick] : cases) {
        PixelCanvas canvas(396, kRowHeight, RGB(1, 2, 3));
        canvas.DrawThroughParent(m_dlg->GetSafeHwnd(), List().GetSafeHwnd(), state, ODT_LISTVIEW, row);
        EXPECT_EQ(canvas.At(300, 5), back) << row;
        EXPECT_EQ(canvas.At(100, kRowHeight - 1), CAppListCtrl::kSeparator) << row; // the line at the bottom
        EXPECT_EQ(canvas.At(380, kRowHeight - 1), back) << row;                     // which stops 21 short
        EXPECT_EQ(canvas.At(2, 2), CAppListCtrl::kBoxOuterFrame) << row;
        EXPECT_EQ(canvas.At(3, 8), CAppListCtrl::kBoxInnerFrame) << row;
        EXPECT_EQ(canvas.At(11, 4), tick) << row;
        EXPECT_EQ(canvas.At(9, 12), CAppListCtrl::kBoxInside) << row;
    }
    for (int height : {-13, -20, -9, 16}) {
        fw::UniqueFont font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ::SendMessageA(List().GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        EXPECT_EQ(ItemRect(1).bottom - ItemRect(1).top, std::abs(height) + 6) << height;
    }
}

TEST_F(Settings, AClickOnTheBoxesOrSpaceTogglesTheSelectedRowsOnceAndCtrlAndShiftSelectAsInAnyList)
{
    Open(4);
    // The rows selected, the row and x clicked, the cursor's x when the click
    // is handled, the keys held, the rows and the selected rows after it.
    const std::tuple<std::vector<int>, int, int, int, UINT, const char*, std::vector<int>> cases[] = {
        {{0}, 2, 5, 5, 0, "0 1 2- 3", {2}},       // an unselected row's box: that row
        {{1, 2}, 2, 8, 8, 0, "0 1- 2 3", {1, 2}}, // a selected row's box: every selected row
        {{0}, 1, 0, 0, 0, "0 1 2 3", {1}},        // the boxes take x 0 to 16
        {{0}, 1, 16, 16, 0, "0 1- 2 3", {1}},
        {{0}, 1, 17, 17, 0, "0 1- 2 3", {1}}, // beside the boxes: selects, toggles nothing
        {{3}, 3, 200, 200, 0, "0 1- 2 3", {3}},
        {{1}, 1, 8, 200, 0, "0 1 2 3", {1}}, // where the click happened counts, not where the cursor has gone since
        {{1}, 1, 200, 8, 0, "0 1 2 3", {1}},
        {{0}, 2, 5, 5, MK_CONTROL, "0- 1 2- 3", {0, 2}},    // Ctrl adds the row, then the selection toggles
        {{0}, 2, 5, 5, MK_SHIFT, "0 1- 2 3", {0, 1, 2}},    // Shift selects from the anchor
        {{0}, 2, 200, 200, MK_CONTROL, "0 1- 2 3", {0, 2}}, // beside the boxes: the list's own Ctrl click
    };
    for (const auto& [selected, row, x, cursorX, keys, rows, selectedAfter] : cases) {
        Select(selected);
        Click(RowPoint(row, x), RowPoint(row, cursorX), keys);
        EXPECT_EQ(Rows(), rows) << "row " << row << " at " << x << ", cursor at " << cursorX << ", keys " << keys;
        EXPECT_EQ(List().GetSelectedRows(), selectedAfter) << "row " << row << " at " << x << ", keys " << keys;
    }
    // Space toggles the selected rows; with Ctrl the focused row's selection.
    const std::tuple<BYTE, const char*, std::vector<int>> spaces[] = {{0, "0- 1- 2 3-", {0, 3}},
                                                                      {VK_CONTROL, "0- 1- 2 3-", {0, 2, 3}}};
    for (const auto& [modifier, rows, selectedAfter] : spaces) {
        Select({0, 3});
        List().SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
        BYTE keys[256] = {};
        keys[modifier] = 0x80;
        ::SetKeyboardState(keys);
        ::PostMessageA(List().GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 1);
        ::PostMessageA(List().GetSafeHwnd(), WM_CHAR, ' ', 1);
        Pump();
        keys[modifier] = 0;
        ::SetKeyboardState(keys);
        EXPECT_EQ(Rows(), rows) << modifier;
        EXPECT_EQ(List().GetSelectedRows(), selectedAfter) << modifier;
    }
}

TEST_F(Settings, DraggedRowsLandBelowTheMarkedRowKeepingChecksAndSelection)
{
    Open(7, 5);
    Select({2, 5});
    ::SetFocus(List().GetSafeHwnd());
    List().SetItemState(5, LVIS_FOCUSED, LVIS_FOCUSED);
    FocusEvents events;
    BeginDrag(RowPoint(2, 90));
    ASSERT_TRUE(List().IsDragging());
    EXPECT_EQ(::GetCapture(), List().GetSafeHwnd());
    POINT at{}, hotspot{};
    ::ImageList_GetDragImage(&at, &hotspot);
    EXPECT_EQ(hotspot.x, 90 - ItemRect(2).left);
    EXPECT_EQ(hotspot.y, RowPoint(2).y - ItemRect(2).top);
    for (int y = RowPoint(2).y; y > RowPoint(1).y + 12; y -= 3)
        Mouse({WM_MOUSEMOVE}, POINT{100, y});
    Mouse({WM_MOUSEMOVE}, POINT{100, RowPoint(1).y + 12}); // the hit point rides 12 px above
    EXPECT_EQ(List().DropMarker(), 1);
    POINT riding{100, RowPoint(1).y};
    ::ClientToScreen(List().GetSafeHwnd(), &riding);
    ::ImageList_GetDragImage(&at, &hotspot);
    EXPECT_EQ(at.y, riding.y);                       // and the image with it
    fw::ScopedWindowDC screen(List().GetSafeHwnd()); // the line is drawn straight onto the window
    EXPECT_TRUE(::GetPixel(screen.get(), 200, ItemRect(1).bottom - 1) == CAppListCtrl::kMark ||
                ::GetPixel(screen.get(), 200, ItemRect(1).bottom) == CAppListCtrl::kMark);
    Mouse({WM_LBUTTONUP}, POINT{100, RowPoint(1).y + 12});
    EXPECT_FALSE(List().IsDragging());
    EXPECT_EQ(Rows(), "0 1 2 5- 3 4 6"); // entry 5 was hidden and stays so
    EXPECT_EQ(List().GetSelectedRows(), (std::vector<int>{2, 3}));
    const auto announced = events.Take(List().GetSafeHwnd()); // the focused row, now the fourth
    EXPECT_NE(std::find(announced.begin(), announced.end(), FocusEvents::Event{List().GetSafeHwnd(), OBJID_CLIENT, 4}),
              announced.end());
}

TEST_F(Settings, RowsDraggedBelowTheLastRowLandAtTheEndAndRowsShowNamesWithoutMarkers)
{
    Open(6);
    Select({1});
    BeginDrag(RowPoint(1));
    for (int y = RowPoint(1).y; y < ItemRect(5).bottom + 30; y += 6)
        Mouse({WM_MOUSEMOVE}, POINT{100, y});
    EXPECT_EQ(List().DropMarker(), 5); // the last row the hit point crossed
    Mouse({WM_LBUTTONUP}, POINT{100, ItemRect(5).bottom + 30});
    EXPECT_EQ(Rows(), "0 2 3 4 5 1");

    const std::map<std::string, std::string> names{{"Help[CR]Center.dll", "HelpCenter"},
                                                   {"[SMALL]Tips.dll", "Tips"},
                                                   {"[CR]Tips.dll", "[CR]Tips"},
                                                   {"X[CR]Y[CR]Z.dll", "XY[CR]Z"},
                                                   {"Tools [SMALL].dll", "Tools [SMALL]"}};
    for (const auto& [id, name] : names)
        m_suite.Install({id});
    Open(0);
    std::map<std::string, std::string> shown;
    for (int row = 0; row < List().GetItemCount(); ++row)
        if (names.count(List().GetItemText(row, 1)))
            shown[List().GetItemText(row, 1)] = List().GetItemText(row, 0);
    EXPECT_EQ(shown, names);
}

TEST_F(Settings, AutoScrollStepsTheMarkerOneRowPerTick)
{
    Open(40);
    Select({20});
    List().EnsureVisible(20, false);
    BeginDrag(RowPoint(20));
    Mouse({WM_MOUSEMOVE}, POINT{100, RowPoint(18).y + 12});
    ASSERT_EQ(List().DropMarker(), 18);
    int top = List().GetTopIndex();
    CursorTo(POINT{100, -30}); // above the list: the up timer's zone
    for (int expected : {17, 16, 15}) {
        ::SendMessageA(List().GetSafeHwnd(), WM_TIMER, CAppListCtrl::kScrollUpTimer, 0);
        EXPECT_EQ(List().DropMarker(), expected);
    }
    EXPECT_EQ(List().GetTopIndex(), top - 3);
    for (int i = 0; i < 30; ++i)
        ::SendMessageA(List().GetSafeHwnd(), WM_TIMER, CAppListCtrl::kScrollUpTimer, 0);
    EXPECT_EQ(List().DropMarker(), -1); // and no further
    EXPECT_EQ(List().GetTopIndex(), 0);
    Mouse({WM_LBUTTONUP}, POINT{100, -30});
    EXPECT_EQ(Rows().substr(0, 5), "20 0 ");
}

// Each case on six fresh rows: the rows selected, what is done, the rows and
// the selected rows after it.
TEST_F(Settings, UpAndDownMoveTheSelectedRowsAndADragWithoutATargetOrTheMouseDropsNothing)
{
    // A drag of row 1 that `end` ends; a marker shows below row 4 first.
    auto drag = [&](bool marked, std::function<void()> end) {
        return [&, marked, end] {
            BeginDrag(RowPoint(1));
            ASSERT_TRUE(List().IsDragging());
            if (marked)
                Mouse({WM_MOUSEMOVE}, POINT{100, RowPoint(4).y + 12});
            end();
            Mouse({WM_LBUTTONUP}, RowPoint(marked ? 4 : 1));
            EXPECT_FALSE(List().IsDragging());
        };
    };
    const std::tuple<std::vector<int>, std::function<void()>, const char*, std::vector<int>> cases[] = {
        {{0, 1, 4}, [&] { m_dlg->Click(IDC_UP); }, "0 1 2 4 3 5", {0, 1, 3}},
        {{4, 5}, [&] { m_dlg->Click(IDC_DOWN); }, "0 1 2 3 4 5", {4, 5}},
        {{1, 3}, [&] { m_dlg->Click(IDC_DOWN); }, "0 2 1 4 3 5", {2, 4}},
        {{1, 3}, [&] { RefusingInserts([&] { m_dlg->Click(IDC_DOWN); }); }, "0 1 2 3 4 5", {1, 3}},
        {{1}, drag(false, [] {}), "0 1 2 3 4 5", {1}}, // released before any marker was shown
        {{1}, drag(true, [&] { ::SendMessageA(List().GetSafeHwnd(), WM_CANCELMODE, 0, 0); }), "0 1 2 3 4 5", {1}},
        {{1}, drag(true, [&] { ::SetCapture(m_dlg->GetSafeHwnd()); }), "0 1 2 3 4 5", {1}}, // another takes the mouse
    };
    for (const auto& [selected, act, rows, selectedAfter] : cases) {
        Open(6);
        Select(selected);
        act();
        ::ReleaseCapture();
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(List().GetSelectedRows(), selectedAfter);
    }
}

TEST_F(Settings, ARealMouseDragMovesTheRow)
{
    Open(6);
    ::SetForegroundWindow(m_dlg->GetSafeHwnd());
    Click(RowPoint(1));
    auto send = [&](DWORD flags, POINT client) { RealMouse(flags, List().GetSafeHwnd(), client); };
    send(0, RowPoint(1));
    send(MOUSEEVENTF_LEFTDOWN, RowPoint(1));
    for (int y = RowPoint(1).y; y <= RowPoint(4).y + 12; y += 4)
        send(0, POINT{100, y});
    send(MOUSEEVENTF_LEFTUP, POINT{100, RowPoint(4).y + 12});
    EXPECT_EQ(Rows(), "0 2 3 4 1 5");
}

TEST_F(Settings, OpeningStoresTheNormalisedOrderEvenWhenCancelled)
{
    Install(3);
    TestSuite::Store("Sort", "Gone.dll/" + Id(2) + "/" + Id(0) + "/");
    TestSuite::Store("NoUse", Id(0) + "/Gone.dll/");
    EXPECT_EQ(RunModal(*m_dlg, {[] { PostKey(VK_RETURN); }}), IDCANCEL); // Cancel has the focus
    EXPECT_EQ(TestSuite::StoredLists(), Id(2) + "/" + Id(0) + "/" + Id(1) + "/ | " + Id(0) + "/Gone.dll/");
    EXPECT_EQ(TestSuite::Stored("AutoRun"), "-");
}

// The start option shows checked only for 1 and is stored as 1 or 2.
TEST_F(Settings, OkAndTheCloseButtonStoreTheRowsTheirChecksAndTheStartOption)
{
    // The button that ends the dialog, the start option's box or its label
    // clicked, the value stored before (0xFF: none), whether the option showed
    // checked, the value stored after.
    const std::tuple<int, int, DWORD, bool, DWORD> cases[] = {
        {IDOK, IDC_AUTOSTART_LABEL, 0xFF, false, 1}, {IDC_SETTINGS_CLOSE, IDC_AUTOSTART_LABEL, 1, true, 2},
        {IDOK, IDC_AUTOSTART, 0, false, 1},          {IDOK, IDC_AUTOSTART, 2, false, 1},
        {IDOK, IDC_AUTOSTART, 7, false, 1},
    };
    for (const auto& [button, toggle, before, shownChecked, after] : cases) {
        Install(4, 3);
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, "AutoRun");
        if (before != 0xFF)
            RegWriteDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", before);
        TestSettingsDlg dlg(m_suite.AppInfo());
        bool checked = !shownChecked;
        INT_PTR result =
            RunModal(dlg, {[&] { dlg.List().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED); },
                           [&] { dlg.List().SetItemState(0, 0, LVIS_SELECTED); }, [&] { dlg.Click(IDC_UP); },
                           [&] { dlg.List().SetRowCheck(0, false); }, [&] { checked = dlg.AutoStart(); },
                           [&, toggle = toggle] { dlg.Click(toggle); }, [&, button = button] { dlg.Click(button); }});
        EXPECT_EQ(result, IDOK) << button;
        EXPECT_EQ(checked, shownChecked) << before;
        EXPECT_EQ(TestSuite::StoredLists(),
                  Id(0) + "/" + Id(2) + "/" + Id(1) + "/" + Id(3) + "/ | " + Id(0) + "/" + Id(3) + "/");
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", 9), after) << before;
    }
    // A missing program key is never created by OK.
    DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
    RunModal(*m_dlg, {[&] { m_dlg->Click(IDOK); }});
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
}

TEST_F(Settings, AnEntryThatFailsToLoadOnceKeepsItsPlaceAndItsHiddenState)
{
    Install(2);
    m_suite.Install({"OnceOnly.dll"});
    TestSuite::Store("Sort", Id(1) + "/OnceOnly.dll/" + Id(0) + "/");
    TestSuite::Store("NoUse", "OnceOnly.dll/");
    int rows = -1;
    RunModal(*m_dlg, {[&] { rows = List().GetItemCount(); }, [&] { m_dlg->Click(IDOK); }});
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(TestSuite::StoredLists(), Id(1) + "/OnceOnly.dll/" + Id(0) + "/ | OnceOnly.dll/");
}

TEST_F(Settings, TheXpOptionWithoutTheKeySaysSoEachTimeAndStaysAsItIs)
{
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, CSettingsDlg::kCancelAutoplayKey);
    Open(1);
    std::vector<MessageBoxSeen> boxes = CollectMessageBoxes([&] {
        m_dlg->Click(IDC_XP_WIZARD_LABEL);
        m_dlg->Click(IDC_XP_WIZARD);
    });
    const MessageBoxSeen denied{m_library.LoadText(IDS_AUTOPLAY_DENIED), "win_tests", BoxIcon::Error,
                                m_dlg->GetSafeHwnd()};
    EXPECT_EQ(boxes, (std::vector<MessageBoxSeen>{denied, denied}));
    EXPECT_TRUE(m_dlg->XpWizard());
    EXPECT_FALSE(::IsWindowVisible(m_dlg->Item(IDC_XP_WIZARD)));
}

TEST_F(Settings, EnterOnTheVersionButtonOpensTheAboutBoxOverTheDialogWhichStays)
{
    Install(2);
    bool overSettings = false, stillOpen = false;
    EXPECT_EQ(RunModal(*m_dlg, {[&] { ::SetFocus(m_dlg->Item(IDC_VERSION)); },
                                [&] { PostKey(VK_RETURN); }, // the about box runs from here
                                [&] {
                                    overSettings = ::GetWindow(::GetActiveWindow(), GW_OWNER) == m_dlg->GetSafeHwnd();
                                    PostKey(VK_RETURN);
                                },
                                [&] { stillOpen = ::IsWindowVisible(m_dlg->GetSafeHwnd()) != FALSE; },
                                [&] { m_dlg->Click(IDCANCEL); }}),
              IDCANCEL);
    EXPECT_TRUE(overSettings);
    EXPECT_TRUE(stillOpen);
}

TEST_F(Settings, BothSkinnedDialogsAreDraggedByTheirTopBandWithTheLeftButtonOnly)
{
    Open(1);
    CVersionInfoDlg about(m_dlg->GetSafeHwnd());
    ASSERT_TRUE(about.Create());
    for (HWND window : {m_dlg->GetSafeHwnd(), about.GetSafeHwnd()}) {
        const std::tuple<int, UINT, bool> cases[] = {
            {29, MK_LBUTTON, true}, {30, MK_LBUTTON, false}, {5, MK_LBUTTON | MK_SHIFT, false}};
        for (const auto& [y, keys, moves] : cases) {
            RECT before{}, after{};
            ::GetWindowRect(window, &before);
            ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, y));
            ::SendMessageA(window, WM_MOUSEMOVE, keys, MAKELPARAM(130, y + 20));
            ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(130, y + 20));
            ::GetWindowRect(window, &after);
            EXPECT_EQ(after.left - before.left, moves ? 30 : 0) << y;
            EXPECT_EQ(after.top - before.top, moves ? 20 : 0) << y;
        }
    }
}

TEST_F(Settings, TheAboutBoxEndsWithOkOrCancelAndTakesItsSkinsSize)
{
    // A button clicked or else a key pressed, and the end code.
    const std::tuple<int, WPARAM, INT_PTR> cases[] = {
        {IDOK, 0, IDOK}, {IDC_CLOSE, 0, IDOK}, {0, VK_RETURN, IDOK}, {0, VK_ESCAPE, IDCANCEL}};
    for (const auto& [button, key, result] : cases) {
        CVersionInfoDlg about;
        RECT rect{};
        EXPECT_EQ(RunModal(about, {[&, button = button, key = key] {
                               ::GetWindowRect(about.GetSafeHwnd(), &rect);
                               button ? (void)::SendMessageA(::GetDlgItem(about.GetSafeHwnd(), button), BM_CLICK, 0, 0)
                                      : PostKey(key);
                           }}),
                  result);
        EXPECT_EQ(std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top), "600x272");
    }
    EXPECT_STREQ(CVersionInfoDlg::kVersionText, "1.7.60417.1");
}

TEST_F(Settings, TabVisitsTheControlsOfBothDialogsInTheirOrderShowingTheFocusSkinAndEveryControlHasAName)
{
    Open(2);
    HWND settings = m_dlg->GetSafeHwnd(), box = nullptr;
    CVersionInfoDlg about(settings);
    // A point where a focus image differs from the normal image two ids
    // before it, and its colour there.
    auto focusMark = [&](UINT focus) {
        fw::UniqueBitmap normal(::LoadBitmapA(m_library.GetHandle(), MAKEINTRESOURCEA(focus - 2)));
        fw::UniqueBitmap focused(::LoadBitmapA(m_library.GetHandle(), MAKEINTRESOURCEA(focus)));
        fw::ScopedMemoryDC a(nullptr), b(nullptr);
        fw::ScopedSelect selectA(a.get(), normal.get()), selectB(b.get(), focused.get());
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                if (::GetPixel(a.get(), x, y) != ::GetPixel(b.get(), x, y))
                    return std::make_pair(POINT{x, y}, ::GetPixel(b.get(), x, y));
        return std::make_pair(POINT{-1, -1}, COLORREF{CLR_INVALID});
    };
    // From the version button on, each Tab: whether in the about box, the
    // control with the focus and the focus skin it shows (0: none).
    const std::tuple<bool, int, UINT> order[] = {
        {false, IDOK, IDB_PUSH_FOCUS},
        {false, IDCANCEL, IDB_PUSH_FOCUS},
        {false, IDC_AUTOSTART_LABEL, IDB_AUTOSTART_LABEL_FOCUS},
        {false, IDC_AUTOSTART, 0},
        {false, IDC_APP_LIST, 0},
        {false, IDC_DOWN, IDB_PUSH_FOCUS},
        {false, IDC_UP, IDB_PUSH_FOCUS},
        {false, IDC_VERSION, IDB_VERSION_FOCUS},
        {true, IDOK, IDB_PUSH_FOCUS}, // the about box's only stop
    };
    ::SetFocus(::GetDlgItem(settings, IDC_VERSION));
    for (const auto& [inAbout, id, focusSkin] : order) {
        if (inAbout && !box) {
            ASSERT_TRUE(about.Create());
            ::ShowWindow(box = about.GetSafeHwnd(), SW_SHOW);
            Pump();
            ::SetFocus(::GetDlgItem(box, IDOK));
        }
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        Pump();
        HWND control = ::GetDlgItem(inAbout ? box : settings, id);
        EXPECT_EQ(::GetFocus(), control) << id;
        ::UpdateWindow(control);
        if (focusSkin) {
            auto [at, color] = focusMark(focusSkin);
            fw::ScopedWindowDC dc(control);
            EXPECT_EQ(::GetPixel(dc.get(), at.x, at.y), color) << id << " at " << at.x << "," << at.y;
        }
    }

    auto text = [&](UINT id) { return m_library.LoadText(id); };
    const std::tuple<HWND, int, std::string> names[] = {
        {settings, IDC_SETTINGS_CLOSE, "Close"},
        {settings, IDOK, text(IDS_SETTINGS_OK)},
        {settings, IDCANCEL, text(IDS_SETTINGS_CANCEL)},
        {settings, IDC_VERSION, text(IDS_SETTINGS_VERSION)},
        {settings, IDC_UP, text(IDS_SETTINGS_UP)},
        {settings, IDC_DOWN, text(IDS_SETTINGS_DOWN)},
        {settings, IDC_AUTOSTART_LABEL, text(IDS_SETTINGS_AUTOSTART)},
        {settings, IDC_AUTOSTART, text(IDS_SETTINGS_AUTOSTART)},
        {settings, IDC_APP_LIST, text(IDS_SETTINGS_HEADING)},
        {box, IDC_CLOSE, "Close"},
        {box, IDOK, text(IDS_ABOUT_OK)},
    };
    for (const auto& [window, id, name] : names)
        EXPECT_EQ(AccessibleName(::GetDlgItem(window, id)), name) << id;
}

TEST_F(Settings, BothDialogsOpenCentredOnTheirOwnerAndInsideTheScreen)
{
    Install(1);
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    // The owner's top-left corner; near the right edge the dialog is kept on
    // the screen.
    for (POINT corner : {POINT{area.left + 200, area.top + 150}, POINT{area.right - 100, area.top + 60}}) {
        fw::UniqueWindow owner(::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, corner.x, corner.y, 640, 450,
                                                 nullptr, nullptr, nullptr, nullptr));
        ::SetForegroundWindow(owner.get());
        TestSettingsDlg dlg(m_suite.AppInfo());
        RECT settings{}, about{};
        RunModal(dlg, {[&] {
                     ::GetWindowRect(dlg.GetSafeHwnd(), &settings);
                     CVersionInfoDlg box(dlg.GetSafeHwnd());
                     RunModal(box, {[&] { ::GetWindowRect(box.GetSafeHwnd(), &about), box.EndDialog(IDOK); }});
                     dlg.EndDialog(IDCANCEL);
                 }});
        // Centred on the owner, then kept inside the work area.
        auto centredLeft = [&](const RECT& window, const RECT& on) {
            const int width = window.right - window.left;
            return std::clamp<int>((on.left + on.right - width) / 2, area.left, area.right - width);
        };
        EXPECT_EQ(settings.left, centredLeft(settings, RECT{corner.x, 0, corner.x + 640, 0})) << corner.x;
        EXPECT_EQ(about.left, centredLeft(about, settings)) << corner.x;
        EXPECT_EQ(settings.top + settings.bottom, 2 * corner.y + 450) << corner.x;
        EXPECT_NEAR(about.top + about.bottom, settings.top + settings.bottom, 1) << corner.x;
    }
}

TEST_F(Settings, TheAboutBoxShowsItsLabelAndTheVersionWhereTheyAreDrawn)
{
    CVersionInfoDlg about;
    ASSERT_TRUE(about.Create());
    ::ShowWindow(about.GetSafeHwnd(), SW_SHOW);
    Pump();
    ::UpdateWindow(about.GetSafeHwnd());
    PixelCanvas shown(600, 272, 0), expected(600, 272, 0), bare(600, 272, 0);
    {
        fw::ScopedWindowDC screen(about.GetSafeHwnd());
        ::BitBlt(shown.dc(), 0, 0, 600, 272, screen.get(), 0, 0, SRCCOPY);
    }
    fw::UniqueBitmap skin(::LoadBitmapA(m_library.GetHandle(), MAKEINTRESOURCEA(IDB_ABOUT_SKIN)));
    for (const PixelCanvas* canvas : {&expected, &bare}) {
        fw::ScopedMemoryDC source(nullptr);
        fw::ScopedSelect select(source.get(), skin.get());
        ::BitBlt(canvas->dc(), 0, 0, 600, 272, source.get(), 0, 0, SRCCOPY);
    }
    // The texts in black on the skin, in the skin font, each in its box.
    CSkinFont font(10);
    fw::ScopedSelect selectFont(expected.dc(), font.GetHandle());
    ::SetBkMode(expected.dc(), TRANSPARENT);
    const std::pair<std::string, int> texts[] = {{m_library.LoadText(IDS_ABOUT_VERSION_LABEL), 168},
                                                 {"1.7.60417.1", 269}};
    for (const auto& [text, x] : texts) {
        RECT box{x, 82, x + 340, 98};
        ::DrawTextA(expected.dc(), text.c_str(), -1, &box, 0);
    }
    int differing = 0, inked = 0;
    for (int y = 78; y < 100; ++y)
        for (int x = 160; x < 560; ++x) {
            differing += shown.At(x, y) != expected.At(x, y);
            inked += expected.At(x, y) != bare.At(x, y);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 100) << "both texts leave ink";
}
