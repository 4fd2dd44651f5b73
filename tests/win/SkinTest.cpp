// Skins, the skin font, skinned buttons and picture files, drawn into bitmaps
// whose pixels are checked; buttons through their parent's WM_DRAWITEM, as
// the system draws them.
#include "framework/Dialog.h"
#include "support/ResourceLibrary.h"
#include "tests/common/PixelHelpers.h"
#include "tests/common/TestSystem.h"
#include "tests/win/fixtures/TestIds.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckButton.h"
#include "ui/SkinFont.h"
#include "ui/ImageFile.h"
#include "ui/SkinImageSet.h"

#include <gtest/gtest.h>

namespace {
// The colours of the test bitmaps.
const COLORREF kSkinRed = RGB(0xC0, 0, 0), kNormal = RGB(255, 0, 0), kPressed = RGB(0, 255, 0);
const COLORREF kFocus = RGB(0, 0, 255), kDisabled = RGB(0x80, 0x80, 0), kHover = RGB(255, 255, 0);
const COLORREF kUnchecked = RGB(0x20, 0x20, 0x20), kChecked = RGB(0, 0xA0, 0xA0), kCheckDisabled = RGB(0xA0, 0, 0xA0);
const UINT kStates[] = {
    0, ODS_SELECTED, ODS_FOCUS, ODS_DISABLED, ODS_SELECTED | ODS_FOCUS | ODS_DISABLED, ODS_FOCUS | ODS_DISABLED};

struct ButtonsDialog : fw::CDialog {
    ButtonsDialog() : fw::CDialog(IDD_TEST_BUTTONS) {}
    CSkinButton withHover;
    CSkinButton withoutHover;
    CSkinCheckButton check;
    void DeclareControls() override
    {
        BindControl(IDC_TEST_HOVER, withHover);
        BindControl(IDC_TEST_PLAIN, withoutHover);
        BindControl(IDC_TEST_CHECK, check);
    }
};

struct Skins : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load("TestSkins.dll"));
        g_pResourceLibrary = &m_library;
        ASSERT_TRUE(m_dialog.Create());
        for (CSkinButton* button : {&m_dialog.withHover, &m_dialog.withoutHover})
            button->SetBitmaps(m_library.GetHandle(), IDB_TEST_NORMAL, IDB_TEST_PRESSED, IDB_TEST_FOCUS,
                               IDB_TEST_DISABLED, button == &m_dialog.withHover ? IDB_TEST_HOVER : 0);
        m_dialog.check.SetCheckBitmaps(m_library.GetHandle(), IDB_TEST_UNCHECKED, IDB_TEST_CHECKED,
                                       IDB_TEST_CHECK_DISABLED);
    }
    void TearDown() override { g_pResourceLibrary = nullptr; }

    // Draws a control through its parent as the system would, in a state.
    COLORREF Render(fw::CWnd& control, UINT state)
    {
        PixelCanvas target(40, 20, RGB(1, 2, 3));
        target.DrawThroughParent(m_dialog.GetSafeHwnd(), control.GetSafeHwnd(), state);
        return target.At(5, 5);
    }
    static void MoveMouseOver(fw::CWnd& control)
    {
        RECT rect{};
        ::GetWindowRect(control.GetSafeHwnd(), &rect);
        ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::SendMessageA(control.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }
    static LONG Size(fw::CWnd& control)
    {
        RECT client{};
        ::GetClientRect(control.GetSafeHwnd(), &client);
        return client.right * 100 + client.bottom;
    }

    CResourceLibrary m_library;
    ButtonsDialog m_dialog;
};
} // namespace

TEST_F(Skins, ALoadedSkinDrawsExactlyItsBitmapAndMissingOnesLeaveNothing)
{
    CSkinImageSet set;
    for (int slot : {59, 60, -1})
        set.SetImage(m_dialog.GetSafeHwnd(), slot, IDB_TEST_SKIN);
    EXPECT_EQ(set.GetSlotImage(60), nullptr);
    EXPECT_EQ(set.GetSlotImage(-1), nullptr);
    EXPECT_FALSE(set.GetSlotImage(0)->IsCreated());
    BITMAP info = set.GetSlotImage(59)->GetBitmapInfo();
    EXPECT_EQ(std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight) + "x" +
                  std::to_string(info.bmBitsPixel),
              "120x60x32");
    // Drawn onto a blue canvas larger than the skin.
    PixelCanvas shown(200, 100, kFocus);
    set.GetSlotImage(59)->Draw(m_dialog.GetSafeHwnd(), shown.dc());
    EXPECT_EQ(shown.At(0, 0), kSkinRed);
    EXPECT_EQ(shown.At(119, 59), kSkinRed);
    EXPECT_EQ(shown.At(120, 10), kFocus);
    EXPECT_EQ(shown.At(10, 60), kFocus);

    set.SetImage(m_dialog.GetSafeHwnd(), 59, 4242); // a missing id drops the old content too
    EXPECT_FALSE(set.GetSlotImage(59)->IsCreated());
    EXPECT_EQ(set.GetSlotImage(59)->GetBitmapInfo().bmWidth, 0);
    PixelCanvas empty(200, 100, kFocus);
    set.GetSlotImage(59)->Draw(m_dialog.GetSafeHwnd(), empty.dc());
    EXPECT_EQ(empty.At(0, 0), kFocus);
}

TEST_F(Skins, TheFirstMatchingStatePicksTheBitmapAndHoverBeatsThemUntilPressed)
{
    HWND button = m_dialog.withHover.GetSafeHwnd();
    EXPECT_EQ(::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(Size(m_dialog.withHover), 40 * 100 + 20); // the size of the normal bitmap
    const COLORREF expected[] = {kNormal, kPressed, kFocus, kDisabled, kPressed, kFocus};
    for (size_t i = 0; i < std::size(kStates); ++i)
        EXPECT_EQ(Render(m_dialog.withHover, kStates[i]), expected[i]) << kStates[i];

    MoveMouseOver(m_dialog.withoutHover); // no mouse-over bitmap: no hover
    EXPECT_FALSE(m_dialog.withoutHover.IsHovering());
    MoveMouseOver(m_dialog.withHover);
    for (UINT state : kStates)
        EXPECT_EQ(Render(m_dialog.withHover, state), kHover) << state;
    ::SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Render(m_dialog.withHover, 0), kNormal);

    // A pressed button does not hover until released; losing the focus
    // releases it too.
    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    MoveMouseOver(m_dialog.withHover);
    EXPECT_FALSE(m_dialog.withHover.IsHovering());
    EXPECT_TRUE(m_dialog.withHover.IsPressed());
    ::SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    MoveMouseOver(m_dialog.withHover);
    EXPECT_TRUE(m_dialog.withHover.IsHovering());
    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(button, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(m_dialog.withHover.IsPressed());
    ::ReleaseCapture();
}

TEST_F(Skins, AMissingNormalBitmapKeepsTheSizeAndDrawsGreyAnyOtherTheNormalOne)
{
    ::MoveWindow(m_dialog.withoutHover.GetSafeHwnd(), 0, 0, 30, 12, FALSE);
    m_dialog.withoutHover.SetBitmaps(m_library.GetHandle(), 4242, IDB_TEST_PRESSED, 0, 0, 0);
    EXPECT_EQ(Size(m_dialog.withoutHover), 30 * 100 + 12); // still there to be clicked
    EXPECT_EQ(Render(m_dialog.withoutHover, ODS_SELECTED), RGB(128, 128, 128));
    m_dialog.withoutHover.SetBitmaps(m_library.GetHandle(), IDB_TEST_NORMAL, 0, 0, 0, 0);
    for (UINT state : kStates)
        EXPECT_EQ(Render(m_dialog.withoutHover, state), kNormal) << state;
}

TEST_F(Skins, CheckButtonsShowCheckedUncheckedOrDisabled)
{
    CSkinCheckButton& check = m_dialog.check;
    EXPECT_TRUE(check.GetCheck()) << "setting the bitmaps checks it";
    const std::tuple<bool, UINT, COLORREF> cases[] = {{true, 0, kChecked},
                                                      {false, 0, kUnchecked},
                                                      {false, ODS_FOCUS, kUnchecked},
                                                      {false, ODS_DISABLED, kCheckDisabled},
                                                      {true, ODS_DISABLED, kCheckDisabled}};
    for (const auto& [checked, state, shown] : cases) {
        check.SetCheck(checked);
        EXPECT_EQ(check.GetCheck(), checked);
        EXPECT_EQ(Render(check, state), shown) << checked << " " << state;
    }
}

// The skin font's face on this system: a Gothic one, in Japanese on a
// Japanese system (the test command runs this once more in code page 932).
TEST(SkinFont, ChoosesAGothicFaceOfTheSystemOnce)
{
    CSkinFont font(10);
    std::string face = g_fontFace;
    ::CharUpperA(&face[0]);
    EXPECT_NE(::GetACP() == 932 ? g_fontFace.find("\x83\x53\x83\x56\x83\x62\x83\x4E") : face.find("GOTHIC"),
              std::string::npos)
        << g_fontFace;
    LOGFONTA chosen{};
    ::GetObjectA(font.GetHandle(), sizeof chosen, &chosen);
    EXPECT_EQ(std::string(chosen.lfFaceName), g_fontFace);
    EXPECT_EQ(chosen.lfHeight, -13);
}

// A picture larger than its box shrinks, keeping its shape, by averaging:
// checks of one black and one white pixel turn grey, as small text stays legible.
TEST(PictureFile, ShrinksToFitByAveragingAndShowsNothingItCannotRead)
{
    fw::ScopedComInit com;
    const std::string folder = testing_support::BuildFolder("tests/win/test-skins");
    CPicture picture = LoadPictureFile(folder + "checks.bmp", 50, 60);
    EXPECT_EQ(std::to_string(picture.width) + "x" + std::to_string(picture.height), "50x25");
    PixelCanvas canvas(60, 60, RGB(1, 2, 3));
    DrawPicture(canvas.dc(), picture, RECT{0, 0, 60, 60}); // centred: x 5 to 54, y 17 to 41
    EXPECT_EQ(canvas.At(30, 30), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(5, 17), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(30, 16), RGB(1, 2, 3));

    const std::pair<const char*, bool> files[] = {
        {"widest.bmp", true}, {"too wide.bmp", false}, {"text.png", false}, {"missing.png", false}};
    for (const auto& [name, shown] : files)
        EXPECT_EQ(static_cast<bool>(LoadPictureFile(folder + name, 50, 50)), shown) << name;
}
