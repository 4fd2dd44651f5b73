// The settings dialog and its application list in process, on real test
// plug-ins and the real templates and skins: what a user sees (pixels, check
// boxes, order), what the mouse and keys do, and what is stored.
#include "framework/Dialog.h"
#include "framework/GdiGuards.h"
#include "settings/SettingsDlg.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/PixelHelpers.h"
#include "tests/common/TestSuite.h"
#include "ui/VersionInfoDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace testing_support;

namespace {
class TestSettingsDlg : public CSettingsDlg {
public:
    std::string appInfo;
    CAppListCtrl& List() { return m_list; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    bool AutoStart() const { return m_chkAutoStart.GetCheck(); }
    bool XpWizard() const { return m_chkXpWizard.GetCheck(); }

protected:
    std::unique_ptr<CAppCatalog> NewCatalog() override { return std::make_unique<CAppCatalog>(appInfo, appInfo); }
};

// The program's message loop for modeless windows.
void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!fw::WalkPreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
}

// Steps run one after the other from inside a modal loop, each once, 100 ms
// apart, so a test can drive a modal dialog of its own thread.
std::vector<std::function<void()>> g_steps;
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (g_steps.empty()) {
        ::KillTimer(nullptr, timer);
        return;
    }
    auto step = g_steps.front();
    g_steps.erase(g_steps.begin());
    step();
}
INT_PTR RunModal(fw::CDialog& dialog, std::vector<std::function<void()>> steps)
{
    g_steps = std::move(steps);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &RunNextStep);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_steps.clear();
    return result;
}

// A key as the loop receives it, aimed at the window with the focus.
void PostKey(WPARAM key)
{
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 1);
}

class Settings : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load((BuildFolder("bin") + "Lumbra.dll").c_str()));
        g_pResourceLibrary = &m_library;
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, CSettingsDlg::kCancelAutoplayKey);
        m_dlg.appInfo = m_suite.AppInfo();
    }
    void TearDown() override
    {
        if (HWND hwnd = m_dlg.GetSafeHwnd())
            ::DestroyWindow(hwnd);
        g_pResourceLibrary = nullptr;
    }

    // Entries named "App 00" … in the order found, each its own plug-in.
    void Install(int count)
    {
        catalog::IdList ids;
        for (int i = 0; i < count; ++i)
            ids.push_back(Id(i));
        for (const std::string& id : ids)
            m_suite.Install({id});
        TestSuite::Store("Sort", catalog::JoinStoredList(ids));
    }
    static std::string Id(int i) { return std::string("App ") + (i < 10 ? "0" : "") + std::to_string(i) + ".dll"; }

    void Open()
    {
        ASSERT_TRUE(m_dlg.Create());
        ::ShowWindow(m_dlg.GetSafeHwnd(), SW_SHOW);
        Pump();
    }
    CAppListCtrl& List() { return m_dlg.List(); }
    // The entry ids of the rows, as "0 1 2" by the number in their name.
    std::string Order()
    {
        std::string order;
        for (int row = 0; row < List().GetItemCount(); ++row)
            order += (row ? " " : "") + std::to_string(std::stoi(List().GetItemText(row, 1).substr(4, 2)));
        return order;
    }
    void Select(std::initializer_list<int> rows)
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        for (int row : rows)
            List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    // A point of a row in list client coordinates.
    POINT RowPoint(int row, int x = 100)
    {
        RECT rect{};
        List().GetItemRect(row, rect, LVIR_BOUNDS);
        return POINT{x, (rect.top + rect.bottom) / 2};
    }
    void CursorTo(POINT client)
    {
        ::ClientToScreen(List().GetSafeHwnd(), &client);
        ::SetCursorPos(client.x, client.y);
    }
    // A click as the list receives it, the cursor where it happens. Both
    // messages are queued first: the list waits for the release inside its
    // handling of the press.
    void Click(POINT client)
    {
        CursorTo(client);
        HWND list = List().GetSafeHwnd();
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        Pump();
    }
    // A move or release during a drag, the cursor in step.
    void Drag(UINT msg, POINT client)
    {
        CursorTo(client);
        ::PostMessageA(List().GetSafeHwnd(), msg, msg == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(client.x, client.y));
        Pump();
    }
    // Starts a drag of the selected rows as the list reports one.
    void BeginDrag(POINT at)
    {
        CursorTo(at);
        NMLISTVIEW start{};
        start.hdr = {List().GetSafeHwnd(), IDC_APP_LIST, static_cast<UINT>(LVN_BEGINDRAG)};
        start.ptAction = at;
        ::SendMessageA(m_dlg.GetSafeHwnd(), WM_NOTIFY, IDC_APP_LIST, reinterpret_cast<LPARAM>(&start));
    }

    CResourceLibrary m_library;
    ScratchFolder m_scratch{"lumbra_settings"};
    TestSuite m_suite{m_scratch.Path()};
    TestSettingsDlg m_dlg;
};
} // namespace

TEST_F(Settings, RowsAreAsHighAsTheFontPlusSix)
{
    Install(3);
    Open();
    for (int height : {-13, -20, -9, 16}) {
        fw::UniqueFont font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ::SendMessageA(List().GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        RECT row{};
        ASSERT_TRUE(List().GetItemRect(1, row, LVIR_BOUNDS));
        EXPECT_EQ(row.bottom - row.top, std::abs(height) + 6) << height;
    }
}

TEST_F(Settings, RowsShowTheirBoxSeparatorTickAndSelection)
{
    Install(2);
    TestSuite::Store("NoUse", Id(1) + "/");
    Open();
    const struct {
        int row;
        UINT state;
        COLORREF back;
        COLORREF tick;
    } cases[] = {
        {0, 0, 0xF4F4F4, CAppListCtrl::kMark},              // checked
        {1, 0, 0xF4F4F4, CAppListCtrl::kBoxInside},         // hidden entry: no tick
        {0, ODS_SELECTED, CAppListCtrl::kSelectedBack, CAppListCtrl::kMark},
    };
    for (const auto& c : cases) {
        PixelCanvas canvas(396, 19, RGB(1, 2, 3));
        DRAWITEMSTRUCT item{ODT_LISTVIEW, IDC_APP_LIST, static_cast<UINT>(c.row), ODA_DRAWENTIRE, c.state,
                            List().GetSafeHwnd(), canvas.dc(), {0, 0, 396, 19}, 0};
        ::SendMessageA(m_dlg.GetSafeHwnd(), WM_DRAWITEM, IDC_APP_LIST, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(canvas.At(300, 5), c.back) << c.row;
        EXPECT_EQ(canvas.At(100, 18), CAppListCtrl::kSeparator) << c.row;  // the line at the bottom
        EXPECT_EQ(canvas.At(380, 18), c.back) << c.row;                     // which stops 21 short
        EXPECT_EQ(canvas.At(2, 2), CAppListCtrl::kBoxOuterFrame) << c.row;
        EXPECT_EQ(canvas.At(3, 8), CAppListCtrl::kBoxInnerFrame) << c.row;
        EXPECT_EQ(canvas.At(11, 4), c.tick) << c.row;
        EXPECT_EQ(canvas.At(9, 12), CAppListCtrl::kBoxInside) << c.row;
    }
}

TEST_F(Settings, AClickOnABoxTogglesItsRowOnceAndOnlyOnTheBoxes)
{
    Install(4);
    Open();
    const struct {
        std::initializer_list<int> selected;
        int row, x;
        std::vector<int> toggled;
    } cases[] = {
        {{0}, 2, 5, {2}},        // an unselected row's box: that row
        {{1, 2}, 2, 8, {1, 2}},  // a selected row's box: every selected row
        {{0}, 1, 16, {1}},
        {{0}, 1, 17, {}},        // beside the boxes: selects, toggles nothing
        {{3}, 3, 200, {}},
    };
    for (const auto& c : cases) {
        Select(c.selected);
        std::vector<bool> before;
        for (int row = 0; row < 4; ++row)
            before.push_back(List().GetCheck(row));
        Click(RowPoint(c.row, c.x));
        for (int row = 0; row < 4; ++row) {
            bool toggled = std::find(c.toggled.begin(), c.toggled.end(), row) != c.toggled.end();
            EXPECT_EQ(List().GetCheck(row), before[static_cast<std::size_t>(row)] != toggled) << c.x << " row " << row;
        }
    }
}

TEST_F(Settings, TogglingFlipsEverySelectedRowOnTheBoxColumnOnly)
{
    Install(5);
    Open();
    const struct {
        int x, y;
        bool toggles;
    } cases[] = {{0, 5, true}, {16, 500, true}, {17, 5, false}, {-1, 5, false}, {8, -40, true}};
    for (const auto& c : cases) {
        Select({1, 3});
        List().SetRowCheck(3, false);
        List().ToggleSelectedChecks(c.x, c.y);
        EXPECT_EQ(List().GetCheck(1), !c.toggles) << c.x;
        EXPECT_EQ(List().GetCheck(3), c.toggles) << c.x;
        EXPECT_TRUE(List().GetCheck(2)) << c.x;
        List().SetRowCheck(1, true);
    }
    Select({0, 4}); // Space toggles the selected rows too
    ::PostMessageA(List().GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 1);
    ::PostMessageA(List().GetSafeHwnd(), WM_CHAR, ' ', 1);
    Pump();
    EXPECT_FALSE(List().GetCheck(0));
    EXPECT_FALSE(List().GetCheck(4));
    EXPECT_TRUE(List().GetCheck(2));
}

TEST_F(Settings, DraggedRowsLandBelowTheMarkedRowKeepingChecksAndSelection)
{
    Install(7);
    TestSuite::Store("NoUse", Id(5) + "/");
    Open();
    Select({2, 5});
    BeginDrag(RowPoint(2, 90));
    ASSERT_TRUE(List().IsDragging());
    EXPECT_EQ(::GetCapture(), List().GetSafeHwnd());
    RECT first{};
    List().GetItemRect(2, first, LVIR_BOUNDS);
    POINT at{}, hotspot{};
    ::ImageList_GetDragImage(&at, &hotspot);
    EXPECT_EQ(hotspot.x, 90 - first.left);
    EXPECT_EQ(hotspot.y, RowPoint(2).y - first.top);
    for (int y = RowPoint(2).y; y > RowPoint(1).y + 12; y -= 3)
        Drag(WM_MOUSEMOVE, POINT{100, y});
    Drag(WM_MOUSEMOVE, POINT{100, RowPoint(1).y + 12}); // the hit point rides 12 px above
    EXPECT_EQ(List().DropMarker(), 1);
    POINT riding{100, RowPoint(1).y};
    ::ClientToScreen(List().GetSafeHwnd(), &riding);
    ::ImageList_GetDragImage(&at, &hotspot);
    EXPECT_EQ(at.y, riding.y); // and the image with it
    RECT marked{};
    List().GetItemRect(1, marked, LVIR_BOUNDS);
    fw::ScopedWindowDC screen(List().GetSafeHwnd()); // the line is drawn straight onto the window
    EXPECT_TRUE(::GetPixel(screen.get(), 200, marked.bottom - 1) == CAppListCtrl::kMark ||
                ::GetPixel(screen.get(), 200, marked.bottom) == CAppListCtrl::kMark);
    Drag(WM_LBUTTONUP, POINT{100, RowPoint(1).y + 12});
    EXPECT_FALSE(List().IsDragging());
    EXPECT_EQ(Order(), "0 1 2 5 3 4 6");
    EXPECT_EQ(List().GetSelectedRows(), (std::vector<int>{2, 3}));
    EXPECT_TRUE(List().GetCheck(2));
    EXPECT_FALSE(List().GetCheck(3)); // entry 5 was hidden and stays so
}

TEST_F(Settings, AutoScrollStepsTheMarkerOneRowPerTick)
{
    Install(40);
    Open();
    Select({20});
    List().EnsureVisible(20, false);
    BeginDrag(RowPoint(20));
    Drag(WM_MOUSEMOVE, POINT{100, RowPoint(18).y + 12});
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
    Drag(WM_LBUTTONUP, POINT{100, -30});
    EXPECT_EQ(Order().substr(0, 5), "20 0 ");
}

TEST_F(Settings, ADragEndsWithoutADropWhenItHasNoTargetOrLosesTheMouse)
{
    Install(6);
    Open();
    const std::function<void()> endings[] = {
        [&] { Drag(WM_LBUTTONUP, RowPoint(1)); }, // released before any marker was shown
        [&] {
            Drag(WM_MOUSEMOVE, POINT{100, RowPoint(4).y + 12});
            ::SendMessageA(List().GetSafeHwnd(), WM_CANCELMODE, 0, 0);
            Drag(WM_LBUTTONUP, RowPoint(4));
        },
        [&] {
            Drag(WM_MOUSEMOVE, POINT{100, RowPoint(4).y + 12});
            ::SetCapture(m_dlg.GetSafeHwnd()); // someone else takes the mouse
            Drag(WM_LBUTTONUP, RowPoint(4));
            ::ReleaseCapture();
        },
    };
    for (const auto& end : endings) {
        Select({1});
        BeginDrag(RowPoint(1));
        ASSERT_TRUE(List().IsDragging());
        end();
        EXPECT_FALSE(List().IsDragging());
        EXPECT_EQ(Order(), "0 1 2 3 4 5");
        EXPECT_EQ(List().GetSelectedRows(), std::vector<int>{1});
    }
}

TEST_F(Settings, ARealMouseDragMovesTheRow)
{
    Install(6);
    Open();
    ::SetForegroundWindow(m_dlg.GetSafeHwnd());
    Click(RowPoint(1));
    auto send = [](DWORD flags, POINT client, HWND list) {
        ::ClientToScreen(list, &client);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = client.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = client.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof input);
        Pump();
        ::Sleep(20);
        Pump();
    };
    HWND list = List().GetSafeHwnd();
    send(0, RowPoint(1), list);
    send(MOUSEEVENTF_LEFTDOWN, RowPoint(1), list);
    for (int y = RowPoint(1).y; y <= RowPoint(4).y + 12; y += 4)
        send(0, POINT{100, y}, list);
    send(MOUSEEVENTF_LEFTUP, POINT{100, RowPoint(4).y + 12}, list);
    EXPECT_EQ(Order(), "0 2 3 4 1 5");
    EXPECT_TRUE(List().GetCheck(3));
}

TEST_F(Settings, UpAndDownMoveTheSelectedRows)
{
    Install(6);
    Open();
    const struct {
        int button;
        std::initializer_list<int> selected;
        const char* order;
    } cases[] = {
        {IDC_UP, {0, 1, 4}, "0 1 2 4 3 5"},
        {IDC_DOWN, {4, 5}, "0 1 2 4 3 5"},
        {IDC_DOWN, {1, 3}, "0 2 1 3 4 5"},
    };
    for (const auto& c : cases) {
        Select(c.selected);
        ::SendMessageA(m_dlg.Item(c.button), BM_CLICK, 0, 0);
        EXPECT_EQ(Order(), c.order);
    }
    EXPECT_EQ(List().GetSelectedRows(), (std::vector<int>{2, 4})); // the moved rows stay selected
}

TEST_F(Settings, OpeningStoresTheNormalisedOrderEvenWhenCancelled)
{
    Install(3);
    TestSuite::Store("Sort", "Gone.dll/" + Id(2) + "/" + Id(0) + "/");
    TestSuite::Store("NoUse", Id(0) + "/Gone.dll/");
    EXPECT_EQ(RunModal(m_dlg, {[] { PostKey(VK_RETURN); }}), IDCANCEL); // Cancel has the focus
    EXPECT_EQ(TestSuite::Stored("Sort"), Id(2) + "/" + Id(0) + "/" + Id(1) + "/");
    EXPECT_EQ(TestSuite::Stored("NoUse"), Id(0) + "/Gone.dll/");
    EXPECT_EQ(TestSuite::Stored("AutoRun"), "-");
}

TEST_F(Settings, OkAndTheCloseButtonStoreTheRowsTheirChecksAndTheStartOption)
{
    for (int button : {IDOK, IDC_SETTINGS_CLOSE}) {
        Install(4);
        TestSuite::Store("NoUse", Id(3) + "/");
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, "AutoRun");
        TestSettingsDlg dlg;
        dlg.appInfo = m_suite.AppInfo();
        INT_PTR result = RunModal(dlg, {
                                           [&] {
                                               dlg.List().SetItemState(0, 0, LVIS_SELECTED);
                                               dlg.List().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
                                           },
                                           [&] { ::SendMessageA(dlg.Item(IDC_UP), BM_CLICK, 0, 0); },
                                           [&] { dlg.List().SetRowCheck(0, false); },
                                           [&] { ::SendMessageA(dlg.Item(IDC_AUTOSTART_LABEL), BM_CLICK, 0, 0); },
                                           [&] { ::SendMessageA(dlg.Item(button), BM_CLICK, 0, 0); },
                                       });
        EXPECT_EQ(result, IDOK) << button;
        EXPECT_EQ(TestSuite::Stored("Sort"), Id(0) + "/" + Id(2) + "/" + Id(1) + "/" + Id(3) + "/") << button;
        EXPECT_EQ(TestSuite::Stored("NoUse"), Id(0) + "/" + Id(3) + "/") << button;
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", 0), 1u) << button;
    }
}

TEST_F(Settings, AnEntryThatFailsToLoadOnceKeepsItsPlaceAndItsHiddenState)
{
    Install(2);
    m_suite.Install({"OnceOnly.dll"});
    TestSuite::Store("Sort", Id(1) + "/OnceOnly.dll/" + Id(0) + "/");
    TestSuite::Store("NoUse", "OnceOnly.dll/");
    int rows = -1;
    RunModal(m_dlg, {[&] { rows = List().GetItemCount(); }, [&] { ::SendMessageA(m_dlg.Item(IDOK), BM_CLICK, 0, 0); }});
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(TestSuite::Stored("Sort"), Id(1) + "/" + Id(0) + "/OnceOnly.dll/");
    EXPECT_EQ(TestSuite::Stored("NoUse"), "OnceOnly.dll/");
}

TEST_F(Settings, AutoRunShowsCheckedOnlyForOneAndIsStoredAsOneOrTwo)
{
    Install(1);
    const struct {
        DWORD stored;
        bool present;
        bool shown;
        DWORD after; // after OK with the box toggled once
    } cases[] = {{1, true, true, 2}, {0, true, false, 1}, {2, true, false, 1}, {7, true, false, 1}, {0, false, false, 1}};
    for (const auto& c : cases) {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, "AutoRun");
        if (c.present)
            RegWriteDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", c.stored);
        bool shown = false;
        TestSettingsDlg dlg;
        dlg.appInfo = m_suite.AppInfo();
        RunModal(dlg, {[&] { shown = dlg.AutoStart(); },
                       [&] { ::SendMessageA(dlg.Item(IDC_AUTOSTART), BM_CLICK, 0, 0); },
                       [&] { ::SendMessageA(dlg.Item(IDOK), BM_CLICK, 0, 0); }});
        EXPECT_EQ(shown, c.shown) << c.stored;
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", 9), c.after) << c.stored;
    }
    // A missing program key is never created by OK.
    DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
    RunModal(m_dlg, {[&] { ::SendMessageA(m_dlg.Item(IDOK), BM_CLICK, 0, 0); }});
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
}

TEST_F(Settings, EnterOnTheVersionButtonOpensTheAboutBoxAndKeepsTheDialog)
{
    Install(2);
    bool stillOpen = false;
    HWND aboutOwner = nullptr;
    HWND settingsWindow = nullptr;
    INT_PTR result = RunModal(m_dlg, {
                                         [&] { ::SetFocus(m_dlg.Item(IDC_VERSION)); },
                                         [&] { PostKey(VK_RETURN); }, // the about box runs from here
                                         [&] {
                                             aboutOwner = ::GetWindow(::GetActiveWindow(), GW_OWNER);
                                             settingsWindow = m_dlg.GetSafeHwnd();
                                             PostKey(VK_RETURN);
                                         },
                                         [&] { stillOpen = ::IsWindowVisible(m_dlg.GetSafeHwnd()) != FALSE; },
                                         [&] { ::SendMessageA(m_dlg.Item(IDCANCEL), BM_CLICK, 0, 0); },
                                     });
    EXPECT_NE(settingsWindow, nullptr);
    EXPECT_EQ(aboutOwner, settingsWindow);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(Settings, TheXpOptionWithoutTheKeySaysSoEachTimeAndStaysAsItIs)
{
    Install(1);
    Open();
    std::vector<MessageBoxSeen> boxes = CollectMessageBoxes([&] {
        ::SendMessageA(m_dlg.Item(IDC_XP_WIZARD_LABEL), BM_CLICK, 0, 0);
        ::SendMessageA(m_dlg.Item(IDC_XP_WIZARD), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(boxes.size(), 2u);
    for (const MessageBoxSeen& box : boxes) {
        EXPECT_EQ(box.text, m_library.LoadText(IDS_AUTOPLAY_DENIED));
        EXPECT_EQ(box.owner, m_dlg.GetSafeHwnd());
        EXPECT_EQ(box.icon, BoxIcon::Error);
    }
    EXPECT_TRUE(m_dlg.XpWizard());
    EXPECT_FALSE(::IsWindowVisible(m_dlg.Item(IDC_XP_WIZARD)));
}

TEST_F(Settings, BothSkinnedDialogsAreDraggedByTheirTopBandWithTheLeftButtonOnly)
{
    Install(1);
    Open();
    CVersionInfoDlg about(m_dlg.GetSafeHwnd());
    ASSERT_TRUE(about.Create());
    for (HWND window : {m_dlg.GetSafeHwnd(), about.GetSafeHwnd()}) {
        const struct {
            int y;
            UINT keys;
            bool moves;
        } cases[] = {{29, MK_LBUTTON, true}, {30, MK_LBUTTON, false}, {5, MK_LBUTTON | MK_SHIFT, false}};
        for (const auto& c : cases) {
            RECT before{};
            ::GetWindowRect(window, &before);
            ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, c.y));
            ::SendMessageA(window, WM_MOUSEMOVE, c.keys, MAKELPARAM(130, c.y + 20));
            ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(130, c.y + 20));
            RECT after{};
            ::GetWindowRect(window, &after);
            EXPECT_EQ(after.left - before.left, c.moves ? 30 : 0) << c.y;
            EXPECT_EQ(after.top - before.top, c.moves ? 20 : 0) << c.y;
        }
    }
}

TEST_F(Settings, TheAboutBoxEndsWithOkOrCancelAndTakesItsSkinsSize)
{
    const struct {
        const char* what;
        std::function<void(HWND)> act;
        INT_PTR result;
    } cases[] = {
        {"OK", [](HWND about) { ::SendMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"close", [](HWND about) { ::SendMessageA(::GetDlgItem(about, IDC_CLOSE), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](HWND) { PostKey(VK_RETURN); }, IDOK},
        {"Escape", [](HWND) { PostKey(VK_ESCAPE); }, IDCANCEL},
    };
    for (const auto& c : cases) {
        CVersionInfoDlg about;
        SIZE size{};
        INT_PTR result = RunModal(about, {[&] {
            RECT rect{};
            ::GetWindowRect(about.GetSafeHwnd(), &rect);
            size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
            c.act(about.GetSafeHwnd());
        }});
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(size.cx, 600) << c.what;
        EXPECT_EQ(size.cy, 272) << c.what;
    }
    EXPECT_STREQ(CVersionInfoDlg::kVersionText, "1.7.60417.1");
}
