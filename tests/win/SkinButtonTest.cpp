// Skinned buttons bound to a real dialog, drawn through the parent's
// WM_DRAWITEM into a bitmap whose pixels are checked.
#include "tests/common/PixelHelpers.h"
#include "framework/Dialog.h"
#include "support/ResourceLibrary.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckButton.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kNormal = RGB(255, 0, 0);
const COLORREF kPressed = RGB(0, 255, 0);
const COLORREF kFocus = RGB(0, 0, 255);
const COLORREF kDisabled = RGB(0x80, 0x80, 0);
const COLORREF kHover = RGB(255, 255, 0);
const COLORREF kUnchecked = RGB(0x20, 0x20, 0x20);
const COLORREF kChecked = RGB(0, 0xA0, 0xA0);
const COLORREF kCheckDisabled = RGB(0xA0, 0, 0xA0);

class ButtonsDialog : public fw::CDialog {
public:
    ButtonsDialog() : fw::CDialog(1002) {}
    CSkinButton withHover;
    CSkinButton withoutHover;
    CSkinCheckButton check;
    CSkinButton captioned;

protected:
    void DeclareControls() override
    {
        BindControl(300, withHover);
        BindControl(301, withoutHover);
        BindControl(302, check);
        BindControl(303, captioned);
    }
};

class SkinButtons : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load("TestSkins.dll"));
        ASSERT_TRUE(m_dialog.Create());
        HMODULE module = m_library.GetHandle();
        m_dialog.withHover.SetBitmaps(module, 1100, 1101, 1102, 1103, 1104);
        m_dialog.withoutHover.SetBitmaps(module, 1100, 1101, 1102, 1103, 0);
        m_dialog.check.SetCheckBitmaps(module, 1200, 1201, 1202);
        m_dialog.captioned.SetBitmaps(module, 1100, 1101, 1102, 1103, 1104);
    }

    // Draws a control through its parent as the system would, in a state.
    COLORREF Render(fw::CWnd& control, UINT state, PixelCanvas* canvas = nullptr)
    {
        PixelCanvas local(40, 20, RGB(1, 2, 3));
        PixelCanvas& target = canvas ? *canvas : local;
        RenderThroughParent(m_dialog.GetSafeHwnd(), control.GetSafeHwnd(), state, target, target.width(),
                            target.height());
        return target.At(5, 5);
    }

    void MoveMouseOver(fw::CWnd& control)
    {
        RECT rect{};
        ::GetWindowRect(control.GetSafeHwnd(), &rect);
        ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::SendMessageA(control.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }

    CResourceLibrary m_library;
    ButtonsDialog m_dialog;
};
} // namespace

TEST_F(SkinButtons, SetBitmapsMakesTheButtonOwnerDrawnAtItsNormalBitmapSize)
{
    HWND button = m_dialog.withHover.GetSafeHwnd();
    EXPECT_EQ(::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    RECT client{};
    ::GetClientRect(button, &client);
    EXPECT_EQ(client.right, 40);
    EXPECT_EQ(client.bottom, 20);
    ::GetClientRect(m_dialog.check.GetSafeHwnd(), &client);
    EXPECT_EQ(client.right, 16);
}

TEST_F(SkinButtons, TheFirstMatchingStatePicksTheBitmap)
{
    const struct {
        UINT state;
        COLORREF expected;
    } cases[] = {
        {0, kNormal},
        {ODS_SELECTED, kPressed},
        {ODS_FOCUS, kFocus},
        {ODS_DISABLED, kDisabled},
        {ODS_SELECTED | ODS_FOCUS | ODS_DISABLED, kPressed},
        {ODS_FOCUS | ODS_DISABLED, kFocus},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Render(m_dialog.withHover, c.state), c.expected) << c.state;

    MoveMouseOver(m_dialog.withHover);
    ASSERT_TRUE(m_dialog.withHover.IsHovering());
    for (const auto& c : cases)
        EXPECT_EQ(Render(m_dialog.withHover, c.state), kHover) << "hover beats state " << c.state;
}

TEST_F(SkinButtons, OnlyAButtonWithAMouseOverBitmapHovers)
{
    MoveMouseOver(m_dialog.withoutHover);
    EXPECT_FALSE(m_dialog.withoutHover.IsHovering());
    EXPECT_EQ(Render(m_dialog.withoutHover, 0), kNormal);

    MoveMouseOver(m_dialog.withHover);
    EXPECT_TRUE(m_dialog.withHover.IsHovering());

    ::SendMessageA(m_dialog.withHover.GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(m_dialog.withHover.IsHovering());
    EXPECT_EQ(Render(m_dialog.withHover, 0), kNormal);
}

TEST_F(SkinButtons, PressingStopsHoverUntilTheButtonIsReleased)
{
    HWND button = m_dialog.withHover.GetSafeHwnd();
    MoveMouseOver(m_dialog.withHover);
    ASSERT_TRUE(m_dialog.withHover.IsHovering());
    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(m_dialog.withHover.IsHovering());
    EXPECT_TRUE(m_dialog.withHover.IsPressed());
    EXPECT_EQ(Render(m_dialog.withHover, ODS_SELECTED), kPressed);
    MoveMouseOver(m_dialog.withHover);
    EXPECT_FALSE(m_dialog.withHover.IsHovering());
    ::SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(m_dialog.withHover.IsPressed());
    MoveMouseOver(m_dialog.withHover);
    EXPECT_TRUE(m_dialog.withHover.IsHovering());

    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(button, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(m_dialog.withHover.IsPressed());
    ::ReleaseCapture();
}

TEST_F(SkinButtons, MissingBitmapsDrawGreyOrTheNormalBitmap)
{
    HMODULE module = m_library.GetHandle();
    m_dialog.withoutHover.SetBitmaps(module, 4242, 1101, 1102, 1103, 0);
    EXPECT_EQ(Render(m_dialog.withoutHover, 0), RGB(128, 128, 128));
    m_dialog.withoutHover.SetBitmaps(module, 1100, 0, 0, 0, 0);
    for (UINT state : {0u, unsigned(ODS_SELECTED), unsigned(ODS_FOCUS), unsigned(ODS_DISABLED)})
        EXPECT_EQ(Render(m_dialog.withoutHover, state), kNormal) << state;
}

TEST_F(SkinButtons, CaptionsUseTheStateColourAndWrapForGoodWhenTooWide)
{
    CSkinButton& button = m_dialog.captioned;
    button.SetFontSize(10);
    button.SetColors(RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(0xBF, 0xBF, 0xBF), RGB(255, 255, 255));
    RECT text{2, 2, 38, 18};
    button.SetCaption("OK", text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    PixelCanvas normal(40, 20, RGB(1, 2, 3));
    Render(button, 0, &normal);
    EXPECT_TRUE(normal.Contains(RGB(0, 0, 0), text));
    EXPECT_EQ(button.CaptionFormat(), UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE));

    MoveMouseOver(button);
    PixelCanvas hover(40, 20, RGB(1, 2, 3));
    Render(button, 0, &hover);
    EXPECT_TRUE(hover.Contains(RGB(255, 255, 255), text));
    EXPECT_FALSE(hover.Contains(RGB(0, 0, 0), text));
    ::SendMessageA(button.GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);

    button.SetCaption("A caption far too wide for this button", text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Render(button, 0);
    UINT wrapped = button.CaptionFormat();
    EXPECT_TRUE(wrapped & DT_WORDBREAK);
    EXPECT_FALSE(wrapped & DT_SINGLELINE);
    button.SetCaption("A caption far too wide for this button", text, wrapped);
    Render(button, 0);
    EXPECT_EQ(button.CaptionFormat(), wrapped);
}

TEST_F(SkinButtons, CheckButtonsShowCheckedUncheckedOrDisabled)
{
    CSkinCheckButton& check = m_dialog.check;
    EXPECT_EQ(check.GetCheck(), 1);
    EXPECT_EQ(Render(check, 0), kChecked);
    check.SetCheck(0);
    EXPECT_EQ(check.GetCheck(), 0);
    EXPECT_EQ(Render(check, 0), kUnchecked);
    EXPECT_EQ(Render(check, ODS_FOCUS), kUnchecked);
    EXPECT_EQ(Render(check, ODS_DISABLED), kCheckDisabled);
    check.SetCheck(1);
    EXPECT_EQ(Render(check, ODS_DISABLED), kCheckDisabled);
    EXPECT_EQ(Render(check, 0), kChecked);
}
