// Renders the shipped skins, a drawn label and the buttons of the resource
// library in every state into one picture (build/win64/ui-demo.bmp), so a
// reviewer can look at them, and checks that every state looks different.
#include "tests/common/PixelHelpers.h"
#include "framework/Dialog.h"
#include "support/ResourceLibrary.h"
#include "tests/common/TestSystem.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckButton.h"
#include "ui/SkinFont.h"
#include "ui/SkinImageSet.h"

#include <gtest/gtest.h>

#include <set>

namespace {
class DemoDialog : public fw::CDialog {
public:
    DemoDialog() : fw::CDialog(1002) {}
    CSkinButton push;
    CSkinButton close;
    CSkinCheckButton check;

protected:
    void DeclareControls() override
    {
        BindControl(300, push);
        BindControl(303, close);
        BindControl(302, check);
    }
};

// Copies one state of a control into the picture at (x, y).
void Place(PixelCanvas& picture, DemoDialog& dialog, fw::CWnd& control, UINT state, int x, int y)
{
    RECT rect{};
    ::GetClientRect(control.GetSafeHwnd(), &rect);
    PixelCanvas part(rect.right, rect.bottom, RGB(0, 0, 0));
    RenderThroughParent(dialog.GetSafeHwnd(), control.GetSafeHwnd(), state, part, rect.right, rect.bottom);
    ::BitBlt(picture.dc(), x, y, rect.right, rect.bottom, part.dc(), 0, 0, SRCCOPY);
}

void Hover(fw::CWnd& control, bool on)
{
    if (!on) {
        ::SendMessageA(control.GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);
        return;
    }
    RECT rect{};
    ::GetWindowRect(control.GetSafeHwnd(), &rect);
    ::SetCursorPos(rect.left + 3, rect.top + 3);
    ::SendMessageA(control.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
}
} // namespace

TEST(SkinDemo, EveryButtonStateOfTheShippedSkinLooksDifferent)
{
    std::string bin = testing_support::BuildFolder("bin");
    ASSERT_FALSE(bin.empty());
    CResourceLibrary library;
    ASSERT_TRUE(library.Load((bin + "Lumbra.dll").c_str()));
    g_pResourceLibrary = &library;
    HMODULE module = library.GetHandle();

    DemoDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.push.SetBitmaps(module, 320, 321, 322, 323, 324);
    dialog.push.SetFontSize(10);
    dialog.push.SetColors(0x000000, 0xFFFFFF, 0x000000, 0xBFBFBF, 0xFFFFFF);
    RECT client{};
    ::GetClientRect(dialog.push.GetSafeHwnd(), &client);
    ::InflateRect(&client, -5, -5);
    dialog.push.SetCaption(library.LoadText(6), client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dialog.close.SetBitmaps(module, 210, 211, 212, 213, 214);
    dialog.check.SetCheckBitmaps(module, 400, 401, 402);

    CSkinImageSet skins;
    skins.SetImage(dialog.GetSafeHwnd(), 0, 300);
    CSkinImage* skin = skins.GetSlotImage(0);
    BITMAP size = skin->GetBitmapInfo();
    ASSERT_GT(size.bmWidth, 0);
    CSkinFont font(10);
    skin->DrawLabel(dialog.GetSafeHwnd(), library.LoadText(1).c_str(), 36, 88, 400, 12, &font, 0x000000, 0xFFFFFF, 0);

    PixelCanvas picture(size.bmWidth, size.bmHeight, RGB(255, 255, 255));
    skin->Draw(dialog.GetSafeHwnd(), picture.dc());
    const UINT states[] = {0, ODS_SELECTED, ODS_FOCUS, ODS_DISABLED, 0};
    std::set<COLORREF> pushLooks;
    std::set<COLORREF> closeLooks;
    for (int i = 0; i < 5; ++i) {
        Hover(dialog.push, i == 4);
        Hover(dialog.close, i == 4);
        Place(picture, dialog, dialog.push, states[i], 28 + i * 86, 290);
        pushLooks.insert(picture.At(28 + i * 86 + 45, 290 + 3));
        Place(picture, dialog, dialog.close, states[i], 300 + i * 26, 4);
        closeLooks.insert(picture.At(300 + i * 26 + 2, 4 + 11));
    }
    Hover(dialog.push, false);
    Hover(dialog.close, false);
    dialog.check.SetCheck(0);
    Place(picture, dialog, dialog.check, 0, 36, 50);
    dialog.check.SetCheck(1);
    Place(picture, dialog, dialog.check, 0, 58, 50);
    Place(picture, dialog, dialog.check, ODS_DISABLED, 80, 50);

    EXPECT_EQ(pushLooks.size(), 4u) << "normal and focus share their fill; the ring tells focus";
    EXPECT_GE(closeLooks.size(), 3u);
    std::string out = testing_support::BuildFolder("") + "ui-demo.bmp";
    EXPECT_TRUE(SaveBitmapFile(picture, out.c_str()));
    g_pResourceLibrary = nullptr;
}
