// The dialog framework driven through real windows and its own modal loop.
#include "framework/Dialog.h"
#include "framework/Handle.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {
const UINT kProbe = WM_APP + 1;     // posted to a control to watch the walk
const UINT kToOwner = WM_APP + 2;   // posted to the owner while a child runs
const UINT kEndChild = WM_APP + 3;
const UINT kOpenChild = WM_APP + 4;

std::vector<std::string> g_walk;

// A control wrapper that records what reaches it.
class RecordingControl : public fw::CWnd {
public:
    explicit RecordingControl(const char* name) : m_name(name) {}
    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kProbe)
            g_walk.push_back(m_name);
        return false;
    }
    std::vector<UINT> reflected;

protected:
    bool OnDrawItem(const DRAWITEMSTRUCT&) override
    {
        reflected.push_back(WM_DRAWITEM);
        return true;
    }
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override
    {
        reflected.push_back(WM_MEASUREITEM);
        item.itemHeight = 30;
        return true;
    }
    bool OnReflectedNotify(NMHDR&, LRESULT&) override
    {
        reflected.push_back(WM_NOTIFY);
        return false;
    }

private:
    const char* m_name;
};

class ChildDialog : public fw::CDialog {
public:
    explicit ChildDialog(HWND owner) : fw::CDialog(1001, owner), m_button("child button") {}
    bool ownerEnabledDuringRun = true;
    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kProbe)
            g_walk.push_back("child dialog");
        return fw::CDialog::PreTranslateMessage(msg);
    }

protected:
    void DeclareControls() override { BindControl(200, m_button); }
    BOOL OnInitDialog() override
    {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        ownerEnabledDuringRun = ::IsWindowEnabled(owner) != FALSE;
        ::PostMessageA(m_button.GetSafeHwnd(), kProbe, 0, 0);
        ::PostMessageA(owner, kToOwner, 0, 0);
        ::PostMessageA(m_hWnd, kEndChild, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == kEndChild) {
            EndDialog(7);
            return true;
        }
        return fw::CDialog::OnMessage(msg, wParam, lParam, result);
    }

private:
    RecordingControl m_button;
};

class OwnerDialog : public fw::CDialog {
public:
    OwnerDialog() : fw::CDialog(1000), button("owner button"), list("list") {}
    RecordingControl button;
    RecordingControl list;
    std::vector<UINT> reflectedBeforeInit;
    INT_PTR childResult = 0;
    bool childOwnerEnabled = true;
    bool ownerEnabledAfterChild = false;
    bool ownerSawPostedMessage = false;

    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kProbe)
            g_walk.push_back("owner dialog");
        if (msg->message == kToOwner) {
            ownerSawPostedMessage = true;
            return true;
        }
        return fw::CDialog::PreTranslateMessage(msg);
    }

protected:
    void DeclareControls() override
    {
        BindControl(100, button);
        BindControl(101, list);
    }
    BOOL OnInitDialog() override
    {
        reflectedBeforeInit = list.reflected;
        ::PostMessageA(m_hWnd, kOpenChild, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == kOpenChild) {
            ::UpdateWindow(m_hWnd);
            LVCOLUMNA column{};
            column.mask = LVCF_WIDTH;
            column.cx = 100;
            ::SendMessageA(list.GetSafeHwnd(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.pszText = const_cast<char*>("row");
            ::SendMessageA(list.GetSafeHwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            ChildDialog child(m_hWnd);
            childResult = child.DoModal();
            childOwnerEnabled = child.ownerEnabledDuringRun;
            ownerEnabledAfterChild = ::IsWindowEnabled(m_hWnd) != FALSE;
            EndDialog(IDOK);
            return true;
        }
        return fw::CDialog::OnMessage(msg, wParam, lParam, result);
    }
};

class EndingDialog : public fw::CDialog {
public:
    explicit EndingDialog(INT_PTR code) : fw::CDialog(1001), m_code(code) {}

protected:
    BOOL OnInitDialog() override
    {
        EndDialog(m_code);
        return TRUE;
    }

private:
    INT_PTR m_code;
};

bool Contains(const std::vector<UINT>& messages, UINT msg)
{
    for (UINT m : messages)
        if (m == msg)
            return true;
    return false;
}
} // namespace

TEST(Dialog, EndedFromOnInitDialogReturnsItsCode)
{
    for (INT_PTR code : {INT_PTR(0), INT_PTR(42), INT_PTR(IDCANCEL)}) {
        EndingDialog dlg(code);
        EXPECT_EQ(dlg.DoModal(), code);
        EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    }
}

TEST(Dialog, AMissingTemplateGivesMinusOne)
{
    fw::CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(Dialog, NestedModalLoopWalksTargetParentsThenOwners)
{
    g_walk.clear();
    OwnerDialog owner;
    EXPECT_EQ(owner.DoModal(), IDOK);
    EXPECT_EQ(owner.childResult, 7);
    EXPECT_EQ(g_walk, (std::vector<std::string>{"child button", "child dialog", "owner dialog"}));
    EXPECT_TRUE(owner.ownerSawPostedMessage);
    EXPECT_FALSE(owner.childOwnerEnabled);
    EXPECT_TRUE(owner.ownerEnabledAfterChild);
}

TEST(Dialog, ReflectsOwnerDrawAndNotificationsToTheControl)
{
    OwnerDialog owner;
    ASSERT_EQ(owner.DoModal(), IDOK);
    // The list asks for its row height while it is created, before it could
    // be subclassed: answered by control id.
    EXPECT_TRUE(Contains(owner.reflectedBeforeInit, WM_MEASUREITEM));
    EXPECT_TRUE(Contains(owner.button.reflected, WM_DRAWITEM));
    EXPECT_TRUE(Contains(owner.list.reflected, WM_NOTIFY));
}

TEST(Dialog, EscapeEndsThroughTheDialogKeyboardHandling)
{
    class EscapeDialog : public fw::CDialog {
    public:
        EscapeDialog() : fw::CDialog(1001) {}

    protected:
        BOOL OnInitDialog() override
        {
            HWND button = ::GetDlgItem(m_hWnd, 200);
            ::PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(Dialog, AQuitMessageEndsTheLoopAndReachesTheOuterLoop)
{
    class QuitDialog : public fw::CDialog {
    public:
        QuitDialog() : fw::CDialog(1001) {}

    protected:
        BOOL OnInitDialog() override
        {
            ::PostQuitMessage(3);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(UniqueHandle, ClosesExactlyOnceAndMovesOwnership)
{
    HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    DWORD flags = 0;
    {
        fw::UniqueKernelHandle first(raw);
        fw::UniqueKernelHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), raw);
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));
        fw::UniqueKernelHandle third;
        third = std::move(second);
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));
    }
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));

    fw::UniqueFile none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
}
