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

#include <functional>

using namespace testing_support;

namespace {
class TestSettingsDlg : public CSettingsDlg {
public:
    explicit TestSettingsDlg(std::string appInfo) : m_strAppInfo(std::move(appInfo)) {}
    CAppListCtrl& List() { return m_list; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void Click(int id) const { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    bool AutoStart() const { return m_chkAutoStart.GetCheck(); }
    bool XpWizard() const { return m_chkXpWizard.GetCheck(); }

protected:
    std::unique_ptr<CAppCatalog> NewCatalog() override
    {
        return std::make_unique<CAppCatalog>(m_strAppInfo, m_strAppInfo);
    }
    std::string m_strAppInfo;
};

// A key as the loop receives it, aimed at the window with the focus.
const auto PostKey = [](WPARAM key) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 1); };

class Settings : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(m_library.Load((BuildFolder("bin") + "Lumbra.dll").c_str()));
        g_pResourceLibrary = &m_library;
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, CSettingsDlg::kCancelAutoplayKey);
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
            m_suite.Install({ids.emplace_back(Id(i))});
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
    // The rows' check boxes, "1" checked and "0" not.
    std::string Checks()
    {
        std::string checks;
        for (int row = 0; row < List().GetItemCount(); ++row)
            checks += List().GetCheck(row) ? '1' : '0';
        return checks;
    }
    void Select(const std::vector<int>& rows)
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
    // Mouse messages as the list receives them, the cursor where they happen.
    // All are queued first: the list waits for a release inside its handling
    // of a press.
    void Mouse(std::initializer_list<UINT> messages, POINT client)
    {
        CursorTo(client);
        for (UINT msg : messages)
            ::PostMessageA(List().GetSafeHwnd(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                           MAKELPARAM(client.x, client.y));
        Pump();
    }
    void Click(POINT client) { Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP}, client); }
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
    TestSettingsDlg m_dlg{m_suite.AppInfo()};
};
} // namespace

TEST_F(Settings, RowsAreTheFontPlusSixHighAndShowTheirBoxSeparatorTickAndSelection)
{
    Install(2);
    TestSuite::Store("NoUse", Id(1) + "/");
    Open();
    const std::tuple<int, UINT, COLORREF, COLORREF> cases[] = {
        {0, 0, 0xF4F4F4, CAppListCtrl::kMark},      // checked
        {1, 0, 0xF4F4F4, CAppListCtrl::kBoxInside}, // hidden entry: no tick
        {0, ODS_SELECTED, CAppListCtrl::kSelectedBack, CAppListCtrl::kMark},
    };
    for (const auto& [row, state, back, tick] : cases) {
        PixelCanvas canvas(396, 19, RGB(1, 2, 3));
        DRAWITEMSTRUCT item{ODT_LISTVIEW, IDC_APP_LIST, static_cast<UINT>(row), ODA_DRAWENTIRE, state,
                            List().GetSafeHwnd(), canvas.dc(), {0, 0, 396, 19}, 0};
        ::SendMessageA(m_dlg.GetSafeHwnd(), WM_DRAWITEM, IDC_APP_LIST, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(canvas.At(300, 5), back) << row;
        EXPECT_EQ(canvas.At(100, 18), CAppListCtrl::kSeparator) << row; // the line at the bottom
        EXPECT_EQ(canvas.At(380, 18), back) << row;                   // which stops 21 short
        EXPECT_EQ(canvas.At(2, 2), CAppListCtrl::kBoxOuterFrame) << row;
        EXPECT_EQ(canvas.At(3, 8), CAppListCtrl::kBoxInnerFrame) << row;
        EXPECT_EQ(canvas.At(11, 4), tick) << row;
        EXPECT_EQ(canvas.At(9, 12), CAppListCtrl::kBoxInside) << row;
    }
    for (int height : {-13, -20, -9, 16}) {
        fw::UniqueFont font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ::SendMessageA(List().GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        RECT row{};
        ASSERT_TRUE(List().GetItemRect(1, row, LVIR_BOUNDS));
        EXPECT_EQ(row.bottom - row.top, std::abs(height) + 6) << height;
    }
}

TEST_F(Settings, AClickOnTheBoxesOrSpaceTogglesTheSelectedRowsOnce)
{
    Install(4);
    Open();
    const std::tuple<std::vector<int>, int, int, const char*> cases[] = {
        {{0}, 2, 5, "1101"},    // an unselected row's box: that row
        {{1, 2}, 2, 8, "1011"}, // a selected row's box: every selected row
        {{0}, 1, 0, "1111"},    // the boxes take x 0 to 16
        {{0}, 1, 16, "1011"},
        {{0}, 1, 17, "1011"}, // beside the boxes: selects, toggles nothing
        {{3}, 3, 200, "1011"},
    };
    for (const auto& [selected, row, x, checks] : cases) {
        Select(selected);
        Click(RowPoint(row, x));
        EXPECT_EQ(Checks(), checks) << "row " << row << " at " << x;
    }
    Select({0, 3});
    ::PostMessageA(List().GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 1);
    ::PostMessageA(List().GetSafeHwnd(), WM_CHAR, ' ', 1);
    Pump();
    EXPECT_EQ(Checks(), "0010");
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
        Mouse({WM_MOUSEMOVE}, POINT{100, y});
    Mouse({WM_MOUSEMOVE}, POINT{100, RowPoint(1).y + 12}); // the hit point rides 12 px above
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
    Mouse({WM_LBUTTONUP}, POINT{100, RowPoint(1).y + 12});
    EXPECT_FALSE(List().IsDragging());
    EXPECT_EQ(Order(), "0 1 2 5 3 4 6");
    EXPECT_EQ(List().GetSelectedRows(), (std::vector<int>{2, 3}));
    EXPECT_EQ(Checks(), "1110111"); // entry 5 was hidden and stays so
}

TEST_F(Settings, AutoScrollStepsTheMarkerOneRowPerTick)
{
    Install(40);
    Open();
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
    EXPECT_EQ(Order().substr(0, 5), "20 0 ");
}

TEST_F(Settings, ADragEndsWithoutADropWhenItHasNoTargetOrLosesTheMouse)
{
    Install(6);
    Open();
    const std::function<void()> endings[] = {
        [&] { Mouse({WM_LBUTTONUP}, RowPoint(1)); }, // released before any marker was shown
        [&] {
            Mouse({WM_MOUSEMOVE}, POINT{100, RowPoint(4).y + 12});
            ::SendMessageA(List().GetSafeHwnd(), WM_CANCELMODE, 0, 0);
            Mouse({WM_LBUTTONUP}, RowPoint(4));
        },
        [&] {
            Mouse({WM_MOUSEMOVE}, POINT{100, RowPoint(4).y + 12});
            ::SetCapture(m_dlg.GetSafeHwnd()); // someone else takes the mouse
            Mouse({WM_LBUTTONUP}, RowPoint(4));
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
    auto send = [&](DWORD flags, POINT client) {
        ::ClientToScreen(List().GetSafeHwnd(), &client);
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
    send(0, RowPoint(1));
    send(MOUSEEVENTF_LEFTDOWN, RowPoint(1));
    for (int y = RowPoint(1).y; y <= RowPoint(4).y + 12; y += 4)
        send(0, POINT{100, y});
    send(MOUSEEVENTF_LEFTUP, POINT{100, RowPoint(4).y + 12});
    EXPECT_EQ(Order(), "0 2 3 4 1 5");
    EXPECT_EQ(Checks(), "111111");
}

TEST_F(Settings, UpAndDownMoveTheSelectedRows)
{
    Install(6);
    Open();
    const std::tuple<int, std::vector<int>, const char*> cases[] = {
        {IDC_UP, {0, 1, 4}, "0 1 2 4 3 5"},
        {IDC_DOWN, {4, 5}, "0 1 2 4 3 5"},
        {IDC_DOWN, {1, 3}, "0 2 1 3 4 5"},
    };
    for (const auto& [button, selected, order] : cases) {
        Select(selected);
        m_dlg.Click(button);
        EXPECT_EQ(Order(), order);
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

// The start option shows checked only for 1 and is stored as 1 or 2.
TEST_F(Settings, OkAndTheCloseButtonStoreTheRowsTheirChecksAndTheStartOption)
{
    const struct {
        int button;
        int toggle; // the start option's box or its label
        DWORD before; // 0xFF: no value
        bool checked;
        DWORD after;
    } cases[] = {
        {IDOK, IDC_AUTOSTART_LABEL, 0xFF, false, 1},
        {IDC_SETTINGS_CLOSE, IDC_AUTOSTART_LABEL, 1, true, 2},
        {IDOK, IDC_AUTOSTART, 0, false, 1},
        {IDOK, IDC_AUTOSTART, 2, false, 1},
        {IDOK, IDC_AUTOSTART, 7, false, 1},
    };
    for (const auto& c : cases) {
        Install(4);
        TestSuite::Store("NoUse", Id(3) + "/");
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, "AutoRun");
        if (c.before != 0xFF)
            RegWriteDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", c.before);
        TestSettingsDlg dlg(m_suite.AppInfo());
        bool checked = !c.checked;
        INT_PTR result = RunModal(dlg, {[&] { dlg.List().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED); },
                                        [&] { dlg.List().SetItemState(0, 0, LVIS_SELECTED); },
                                        [&] { dlg.Click(IDC_UP); },
                                        [&] { dlg.List().SetRowCheck(0, false); },
                                        [&] { checked = dlg.AutoStart(); },
                                        [&] { dlg.Click(c.toggle); },
                                        [&] { dlg.Click(c.button); }});
        EXPECT_EQ(result, IDOK) << c.button;
        EXPECT_EQ(checked, c.checked) << c.before;
        EXPECT_EQ(TestSuite::Stored("Sort"), Id(0) + "/" + Id(2) + "/" + Id(1) + "/" + Id(3) + "/") << c.button;
        EXPECT_EQ(TestSuite::Stored("NoUse"), Id(0) + "/" + Id(3) + "/") << c.button;
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", 9), c.after) << c.before;
    }
    // A missing program key is never created by OK.
    DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
    RunModal(m_dlg, {[&] { m_dlg.Click(IDOK); }});
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
}

TEST_F(Settings, AnEntryThatFailsToLoadOnceKeepsItsPlaceAndItsHiddenState)
{
    Install(2);
    m_suite.Install({"OnceOnly.dll"});
    TestSuite::Store("Sort", Id(1) + "/OnceOnly.dll/" + Id(0) + "/");
    TestSuite::Store("NoUse", "OnceOnly.dll/");
    int rows = -1;
    RunModal(m_dlg, {[&] { rows = List().GetItemCount(); }, [&] { m_dlg.Click(IDOK); }});
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(TestSuite::Stored("Sort"), Id(1) + "/" + Id(0) + "/OnceOnly.dll/");
    EXPECT_EQ(TestSuite::Stored("NoUse"), "OnceOnly.dll/");
}

TEST_F(Settings, TheXpOptionWithoutTheKeySaysSoEachTimeAndStaysAsItIs)
{
    Install(1);
    Open();
    std::vector<MessageBoxSeen> boxes = CollectMessageBoxes([&] {
        m_dlg.Click(IDC_XP_WIZARD_LABEL);
        m_dlg.Click(IDC_XP_WIZARD);
    });
    const MessageBoxSeen denied{m_library.LoadText(IDS_AUTOPLAY_DENIED), "win_tests", BoxIcon::Error, m_dlg.GetSafeHwnd()};
    EXPECT_EQ(boxes, (std::vector<MessageBoxSeen>{denied, denied}));
    EXPECT_TRUE(m_dlg.XpWizard());
    EXPECT_FALSE(::IsWindowVisible(m_dlg.Item(IDC_XP_WIZARD)));
}

TEST_F(Settings, EnterOnTheVersionButtonOpensTheAboutBoxOverTheDialogWhichStays)
{
    Install(2);
    bool ownedBySettings = false, stillOpen = false;
    INT_PTR result = RunModal(m_dlg, {[&] { ::SetFocus(m_dlg.Item(IDC_VERSION)); },
                                      [&] { PostKey(VK_RETURN); }, // the about box runs from here
                                      [&] {
                                          HWND settings = m_dlg.GetSafeHwnd();
                                          ownedBySettings = settings && ::GetWindow(::GetActiveWindow(), GW_OWNER) == settings;
                                          PostKey(VK_RETURN);
                                      },
                                      [&] { stillOpen = ::IsWindowVisible(m_dlg.GetSafeHwnd()) != FALSE; },
                                      [&] { m_dlg.Click(IDCANCEL); }});
    EXPECT_TRUE(ownedBySettings);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(Settings, BothSkinnedDialogsAreDraggedByTheirTopBandWithTheLeftButtonOnly)
{
    Install(1);
    Open();
    CVersionInfoDlg about(m_dlg.GetSafeHwnd());
    ASSERT_TRUE(about.Create());
    for (HWND window : {m_dlg.GetSafeHwnd(), about.GetSafeHwnd()}) {
        const std::tuple<int, UINT, bool> cases[] = {{29, MK_LBUTTON, true}, {30, MK_LBUTTON, false}, {5, MK_LBUTTON | MK_SHIFT, false}};
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
    const std::tuple<const char*, std::function<void(HWND)>, INT_PTR> cases[] = {
        {"OK", [](HWND about) { ::SendMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"close", [](HWND about) { ::SendMessageA(::GetDlgItem(about, IDC_CLOSE), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](HWND) { PostKey(VK_RETURN); }, IDOK},
        {"Escape", [](HWND) { PostKey(VK_ESCAPE); }, IDCANCEL},
    };
    for (const auto& [what, act, code] : cases) {
        CVersionInfoDlg about;
        RECT rect{};
        INT_PTR result = RunModal(about, {[&] {
                                      ::GetWindowRect(about.GetSafeHwnd(), &rect);
                                      act(about.GetSafeHwnd());
                                  }});
        EXPECT_EQ(result, code) << what;
        EXPECT_EQ(rect.right - rect.left, 600) << what;
        EXPECT_EQ(rect.bottom - rect.top, 272) << what;
    }
    EXPECT_STREQ(CVersionInfoDlg::kVersionText, "1.7.60417.1");
}
