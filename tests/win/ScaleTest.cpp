// The skinned windows at the display's scale, in process on the real resource
// library: the test layer runs on fresh prefixes at 96, 120, 144 and 192 DPI,
// and the tests ask the system which one it is. A move to another monitor is
// a WM_DPICHANGED sent by hand, as Wine never sends one.
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "resources/LumbraIds.h"
#include "settings/SettingsDlg.h"
#include "shell/PortalDlg.h"
#include "tests/common/PixelHelpers.h"
#include "tests/common/RecordingPlayer.h"
#include "tests/common/TestSuite.h"
#include "ui/DisplayScale.h"
#include "ui/SkinBitmap.h"
#include "ui/SmoothEnlarge.h"
#include "ui/VersionInfoDlg.h"

#include <vector>

using namespace testing_support;

namespace {
struct ScaledMenu : CPortalDlg {
    explicit ScaledMenu(const TestSuite& suite, bool builtIn) : m_suite(suite), m_bBuiltIn(builtIn) {}
    IMoviePlayer* ChoosePlayer() override { return m_bBuiltIn ? CPortalDlg::ChoosePlayer() : &m_player; }
    std::unique_ptr<CAppCatalog> NewCatalog() override
    {
        return std::make_unique<CAppCatalog>(m_suite.AppInfo(), m_suite.MenuSwf());
    }
    HWND BuiltInList() const { return m_nativePlayer.ListWindow(); }
    const TestSuite& m_suite;
    bool m_bBuiltIn;
    RecordingPlayer m_player;
};

struct ScaledSettings : CSettingsDlg {
    explicit ScaledSettings(std::string appInfo) : m_strAppInfo(std::move(appInfo)) {}
    std::unique_ptr<CAppCatalog> NewCatalog() override
    {
        return std::make_unique<CAppCatalog>(m_strAppInfo, m_strAppInfo);
    }
    CAppListCtrl& List() { return m_list; }
    std::string m_strAppInfo;
};

SIZE SizeOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// The pixels of a bitmap, or of what a window shows, row by row.
std::vector<COLORREF> Pixels(HDC source, SIZE size)
{
    PixelCanvas canvas(size.cx, size.cy, RGB(1, 2, 3));
    ::BitBlt(canvas.dc(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}
std::vector<COLORREF> Pixels(HBITMAP bitmap)
{
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    fw::ScopedMemoryDC memory(nullptr);
    fw::ScopedSelect select(memory.get(), bitmap);
    return Pixels(memory.get(), SIZE{info.bmWidth, info.bmHeight});
}
std::vector<COLORREF> Shown(HWND window)
{
    fw::ScopedWindowDC dc(window);
    RECT client{};
    ::GetClientRect(window, &client);
    return Pixels(dc.get(), SIZE{client.right, client.bottom});
}

int SystemDpi()
{
    fw::ScopedWindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void RealClick(HWND window, POINT client)
{
    for (DWORD flags : {DWORD(0), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)})
        RealMouse(flags, window, client);
}

struct Copying {
    HMODULE from;
    HANDLE to;
    int scaledLeftOut;
};
bool IsScaledArt(LPCSTR type, LPCSTR name)
{
    return type == RT_BITMAP && IS_INTRESOURCE(name) &&
           LOWORD(reinterpret_cast<ULONG_PTR>(name)) >= ui::ArtIdAtPercent(0, 125);
}
BOOL CALLBACK CopyLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR context)
{
    auto* copying = reinterpret_cast<Copying*>(context);
    HRSRC found = ::FindResourceExA(copying->from, type, name, language);
    void* data = found ? ::LockResource(::LoadResource(copying->from, found)) : nullptr;
    return data && ::UpdateResourceA(copying->to, type, name, language, data, ::SizeofResource(copying->from, found));
}
BOOL CALLBACK CopyName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context)
{
    if (IsScaledArt(type, name)) {
        ++reinterpret_cast<Copying*>(context)->scaledLeftOut;
        return TRUE;
    }
    return ::EnumResourceLanguagesA(module, type, name, &CopyLanguage, context);
}
BOOL CALLBACK CopyType(HMODULE module, LPSTR type, LONG_PTR context)
{
    return ::EnumResourceNamesA(module, type, &CopyName, context);
}

// A copy of the resource library without its larger art sets, as a
// replacement or localised library of an older build would be.
std::string PlainArtLibrary(const std::string& folder, HMODULE library)
{
    const std::string copy = folder + "\\Plain.dll";
    char original[MAX_PATH] = {};
    ::GetModuleFileNameA(library, original, MAX_PATH);
    EXPECT_TRUE(::CopyFileA(original, copy.c_str(), FALSE));
    Copying copying{library, ::BeginUpdateResourceA(copy.c_str(), TRUE), 0};
    EXPECT_TRUE(copying.to);
    EXPECT_TRUE(::EnumResourceTypesA(library, &CopyType, reinterpret_cast<LONG_PTR>(&copying)));
    EXPECT_EQ(copying.scaledLeftOut, 3 * 34) << "every skin bitmap at 125, 150 and 200 %";
    EXPECT_TRUE(::EndUpdateResourceA(copying.to, FALSE));
    return copy;
}

// Sizes at the four scales the test layer runs at.
struct AtScale {
    int dpi;
    int percent;
    SIZE menu;
    SIZE settings;
    SIZE about;
    int row;
};
const AtScale kScales[] = {
    {96, 100, {640, 450}, {476, 420}, {600, 272}, 19},
    {120, 125, {800, 563}, {595, 525}, {750, 340}, 24},
    {144, 150, {960, 675}, {714, 630}, {900, 408}, 29},
    {192, 200, {1280, 900}, {952, 840}, {1200, 544}, 38},
};

struct Scale : SuiteTest {
    void SetUp() override
    {
        SuiteTest::SetUp();
        ASSERT_TRUE(ax::RegisterAxHostClass());
        for (const AtScale& scale : kScales)
            if (scale.dpi == SystemDpi())
                m_pScale = &scale;
        ASSERT_TRUE(m_pScale) << "the layer runs at 96, 120, 144 or 192 DPI, not " << SystemDpi();
        std::vector<std::string> names;
        for (int i = 0; i < 40; ++i)
            names.push_back("App " + std::to_string(10 + i) + ".dll");
        m_suite.Install(names);
    }
    void ExpectNear(SIZE actual, SIZE expected, const char* what)
    {
        EXPECT_NEAR(actual.cx, expected.cx, 1) << what << " at " << m_pScale->dpi;
        EXPECT_NEAR(actual.cy, expected.cy, 1) << what << " at " << m_pScale->dpi;
    }
    HBITMAP Drawn(UINT id, int percent)
    {
        m_drawn.emplace_back(
            static_cast<HBITMAP>(::LoadImageA(m_library.GetHandle(), MAKEINTRESOURCEA(ui::ArtIdAtPercent(id, percent)),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        return m_drawn.back().get();
    }

    fw::ScopedComInit m_com;
    const AtScale* m_pScale = nullptr;
    std::vector<fw::UniqueBitmap> m_drawn;
};
using SkinBitmaps = SuiteTest;
} // namespace

TEST_F(Scale, TheMenuSettingsAndAboutOpenAtTheSystemScaleWithTheirArtRowsAndCheckBoxes)
{
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1); // nothing hovered
    ScaledMenu menu(m_suite, false);
    ASSERT_TRUE(menu.Create());
    Pump();
    ExpectNear(SizeOf(menu.GetSafeHwnd()), m_pScale->menu, "menu");
    HWND close = ::GetDlgItem(menu.GetSafeHwnd(), IDC_CLOSE);
    EXPECT_EQ(Shown(close), Pixels(Drawn(IDB_CLOSE_NORMAL, m_pScale->percent))) << "the close button's own set";

    ScaledSettings settings(m_suite.AppInfo());
    ASSERT_TRUE(settings.Create());
    ::ShowWindow(settings.GetSafeHwnd(), SW_SHOW);
    ::SetForegroundWindow(settings.GetSafeHwnd());
    Pump();
    ExpectNear(SizeOf(settings.GetSafeHwnd()), m_pScale->settings, "settings");
    HWND list = settings.List().GetSafeHwnd();
    RECT row{};
    ASSERT_EQ(settings.List().GetItemCount(), 40);
    settings.List().GetItemRect(2, row, LVIR_BOUNDS);
    EXPECT_EQ(row.bottom - row.top, m_pScale->row);
    // The box of row 2 at its scaled place toggles it; a click just right of
    // the boxes' zone only selects row 3.
    const int middle = (row.top + row.bottom) / 2;
    RealClick(list, POINT{ui::ScaleToDpi(8, m_pScale->dpi), middle});
    RealClick(list, POINT{ui::ScaleToDpi(CAppListCtrl::kBoxRight + 3, m_pScale->dpi), middle + m_pScale->row});
    std::string checks;
    for (int i = 0; i < 5; ++i)
        checks += settings.List().GetCheck(i) ? "x" : "-";
    EXPECT_EQ(checks, "xx-xx");
    EXPECT_EQ(settings.List().GetSelectedRows(), std::vector<int>{3});

    CVersionInfoDlg about(settings.GetSafeHwnd());
    ASSERT_TRUE(about.Create());
    Pump();
    ExpectNear(SizeOf(about.GetSafeHwnd()), m_pScale->about, "about");
    ::DestroyWindow(about.GetSafeHwnd());
    ::DestroyWindow(settings.GetSafeHwnd());
    ::DestroyWindow(menu.GetSafeHwnd());
}

TEST_F(Scale, OnAnotherMonitorsScaleTheMenuTakesTheSuggestedPlaceRedrawsAndOpensItsDialogsThere)
{
    ScaledMenu menu(m_suite, true);
    ASSERT_TRUE(menu.Create());
    Pump();
    HWND window = menu.GetSafeHwnd();
    // 175 %: between the sets, so the 200 % art is reduced.
    RECT suggested{20, 10, 20 + 1120, 10 + 788};
    ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(168, 168), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    RECT now{};
    ::GetWindowRect(window, &now);
    EXPECT_TRUE(::EqualRect(&now, &suggested)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
    EXPECT_EQ(menu.Dpi(), 168);
    ExpectNear(SizeOf(::GetDlgItem(window, IDC_CLOSE)), SIZE{39, 39}, "close button");
    ExpectNear(SizeOf(::GetDlgItem(window, IDC_MOVIE)), SIZE{1120, 735}, "movie area");
    EXPECT_EQ(::SendMessageA(menu.BuiltInList(), LB_GETITEMHEIGHT, 0, 0), 116);

    CVersionInfoDlg about(window);
    ASSERT_TRUE(about.Create());
    Pump();
    EXPECT_EQ(about.Dpi(), 168);
    ExpectNear(SizeOf(about.GetSafeHwnd()), SIZE{1050, 476}, "about");
    ::DestroyWindow(about.GetSafeHwnd());

    // Back at the system's scale it shows exactly that scale's art again.
    const SIZE back = m_pScale->menu;
    suggested = RECT{0, 0, back.cx, back.cy};
    ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(m_pScale->dpi, m_pScale->dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    Pump();
    EXPECT_EQ(Shown(::GetDlgItem(window, IDC_MINIMIZE)), Pixels(Drawn(IDB_MINIMIZE_NORMAL, m_pScale->percent)));
    EXPECT_EQ(::SendMessageA(menu.BuiltInList(), LB_GETITEMHEIGHT, 0, 0), ui::ScaleToDpi(66, m_pScale->dpi));
    ::DestroyWindow(window);
}

TEST_F(Scale, ALibraryWithOnlyThePlainBitmapsStillOpensTheWindowsAtTheScaledSize)
{
    CResourceLibrary plain;
    ASSERT_TRUE(plain.Load(PlainArtLibrary(m_scratch.Path(), m_library.GetHandle()).c_str()));
    g_pResourceLibrary = &plain;
    ScaledMenu menu(m_suite, false);
    ASSERT_TRUE(menu.Create());
    ScaledSettings settings(m_suite.AppInfo());
    ASSERT_TRUE(settings.Create());
    Pump();
    ExpectNear(SizeOf(menu.GetSafeHwnd()), m_pScale->menu, "menu");
    ExpectNear(SizeOf(settings.GetSafeHwnd()), m_pScale->settings, "settings");
    const int button = ui::ScaleToDpi(22, m_pScale->dpi);
    ExpectNear(SizeOf(::GetDlgItem(menu.GetSafeHwnd(), IDC_CLOSE)), SIZE{button, button}, "close button");
    ::DestroyWindow(settings.GetSafeHwnd());
    ::DestroyWindow(menu.GetSafeHwnd());
}

TEST_F(SkinBitmaps, AreTheSetOfTheScaleTheNearestLargerReducedOrThePlainOneEnlargedSmoothly)
{
    HMODULE library = m_library.GetHandle();
    auto drawn = [&](UINT id) {
        return fw::UniqueBitmap(
            static_cast<HBITMAP>(::LoadImageA(library, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    };
    auto size = [](HBITMAP bitmap) {
        BITMAP info{};
        ::GetObjectA(bitmap, sizeof info, &info);
        return std::make_pair(int(info.bmWidth), int(info.bmHeight));
    };
    // Id, DPI, the size loaded, and the set it is exactly.
    const struct {
        UINT id;
        int dpi;
        std::pair<int, int> size;
        UINT exactly;
    } cases[] = {
        {IDB_CLOSE_NORMAL, 96, {22, 22}, IDB_CLOSE_NORMAL},
        {IDB_CLOSE_NORMAL, 120, {28, 28}, 12710},
        {IDB_CLOSE_NORMAL, 144, {33, 33}, 15210},
        {IDB_CLOSE_NORMAL, 192, {44, 44}, 20210},
        {IDB_MAIN_SKIN, 120, {800, 38}, 12600},
        {IDB_CHECK_CHECKED, 192, {32, 32}, 20401},
        {IDB_CLOSE_NORMAL, 168, {39, 39}, 0},
        {IDB_SETTINGS_SKIN, 240, {1190, 1050}, 0},
        {IDB_ABOUT_SKIN, 72, {450, 204}, 0},
    };
    for (const auto& item : cases) {
        fw::UniqueBitmap loaded = LoadSkinBitmap(library, item.id, item.dpi);
        ASSERT_TRUE(loaded) << item.id << " at " << item.dpi;
        EXPECT_EQ(size(loaded.get()), item.size) << item.id << " at " << item.dpi;
        if (item.exactly) {
            EXPECT_EQ(Pixels(loaded.get()), Pixels(drawn(item.exactly).get())) << item.id << " at " << item.dpi;
        }
    }
    EXPECT_FALSE(LoadSkinBitmap(library, 999, 192));

    // Without the larger sets the plain bitmap grows smoothly to the size.
    CResourceLibrary plain;
    ASSERT_TRUE(plain.Load(PlainArtLibrary(m_scratch.Path(), library).c_str()));
    EXPECT_FALSE(::FindResourceA(plain.GetHandle(), MAKEINTRESOURCEA(20210), RT_BITMAP));
    EXPECT_TRUE(::FindResourceA(plain.GetHandle(), MAKEINTRESOURCEA(IDB_CLOSE_NORMAL), RT_BITMAP));
    fw::UniqueBitmap enlarged = LoadSkinBitmap(plain.GetHandle(), IDB_CLOSE_NORMAL, 192);
    ASSERT_TRUE(enlarged);
    std::vector<std::uint32_t> source;
    for (COLORREF pixel : Pixels(drawn(IDB_CLOSE_NORMAL).get()))
        source.push_back(pixel);
    std::vector<COLORREF> expected;
    for (std::uint32_t pixel : ui::EnlargeSmoothly(source, 22, 22, 44, 44))
        expected.push_back(pixel);
    EXPECT_EQ(Pixels(enlarged.get()), expected);
}
