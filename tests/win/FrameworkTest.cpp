// The framework driven through real windows: the typed message handlers, the
// reflection to child controls, and the dialogs' own modal loop.
#include "framework/Dialog.h"
#include "tests/win/fixtures/TestIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <stdexcept>

namespace {
using Calls = std::vector<std::string>;
using std::to_string;
const UINT kProbe = WM_APP + 1; // posted to a control to watch the pre-translation walk
const UINT kRunScript = WM_APP; // a scripted dialog posts itself to run its script in its loop
Calls g_calls;

// The names of the messages the typed window records.
const auto MessageName = [](UINT msg) -> std::string {
    return msg == WM_COMMAND ? "WM_COMMAND" : msg == WM_TIMER ? "WM_TIMER" : "WM_APP + " + to_string(msg - WM_APP);
};

// Logs every typed handler it is given; `handled` is what they return.
struct TypedWindow : fw::CWnd {
    bool handled = true;
    bool Log(const std::string& call) { return g_calls.push_back(call), handled; }
    static std::string Text(POINT p, UINT k) { return to_string(p.x) + "," + to_string(p.y) + " " + to_string(k); }
    bool OnCommand(UINT code, int id, HWND control) override
    {
        g_calls.push_back("Command " + to_string(code) + " " + to_string(id));
        return fw::CWnd::OnCommand(code, id, control);
    }
    bool OnButtonClicked(int id) override { return Log("Clicked " + to_string(id)); }
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override
    {
        result = 7;
        return Log("Notify " + to_string(id) + " " + to_string(static_cast<int>(header.code)));
    }
    bool OnLButtonDown(POINT p, UINT keys) override { return Log("Down " + Text(p, keys)); }
    bool OnLButtonUp(POINT p, UINT keys) override { return Log("Up " + Text(p, keys)); }
    bool OnMouseMove(POINT p, UINT keys) override { return Log("Move " + Text(p, keys)); }
    bool OnMouseWheel(short d, UINT k, POINT p) override { return Log("Wheel " + to_string(d) + " " + Text(p, k)); }
    bool OnTimer(UINT_PTR id) override { return Log("Timer " + to_string(id)); }
    bool OnEraseBackground(HDC) override { return Log("Erase"); }
    bool OnLButtonDblClk(POINT p, UINT keys) override { return Log("DblClk " + Text(p, keys)); }
    bool OnCaptureChanged(HWND to) override { return Log(to ? "Capture taken" : "Capture released"); }
    bool OnCancelMode() override { return Log("CancelMode"); }
    bool OnKeyDown(UINT key, UINT flags) override { return Log("KeyDown " + to_string(key) + " " + to_string(flags)); }
    bool OnChar(UINT c, UINT flags) override { return Log("Char " + to_string(c) + " " + to_string(flags)); }
    bool OnSize(UINT type, int w, int h) override { return Log("Size " + to_string(type) + " " + Text({w, h}, 0)); }
    bool OnShowWindow(bool shown, UINT status) override { return Log("Show " + Text({shown, 0}, status)); }
    bool OnSetFont(HFONT font, bool redraw) override { return Log(font == kFont ? "Font " + to_string(redraw) : ""); }
    HBRUSH OnControlColor(UINT kind, HDC, HWND) override { return Log("Colour " + to_string(kind)) ? kBrush : nullptr; }
    HICON OnQueryDragIcon() override { return Log("DragIcon") ? kIcon : nullptr; }
    bool OnSignal(UINT msg) override { return Log("Signal " + MessageName(msg)); }
    const HFONT kFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const HBRUSH kBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    const HICON kIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override
    {
        if (msg != WM_COMMAND && msg != WM_TIMER && msg < WM_APP)
            return false;
        result = 5;
        return g_calls.push_back("Message " + MessageName(msg)), true;
    }
};

// A control wrapper that records what reaches it.
struct RecordingControl : fw::CWnd {
    explicit RecordingControl(const char* name) : m_name(name) {}
    bool PreTranslateMessage(MSG* msg) override { return msg->message == kProbe && !Log("walk"); }
    bool OnDrawItem(const DRAWITEMSTRUCT&) override { return Log("DrawItem"); }
    bool OnMeasureItem(MEASUREITEMSTRUCT&) override { return Log("MeasureItem"); }
    bool OnReflectedNotify(NMHDR&, LRESULT&) override { return !Log("ReflectedNotify"); } // passed on to the parent
    bool Log(const char* what) { return g_calls.push_back(std::string(m_name) + " " + what), true; }
    const char* m_name;
};

// A dialog of a test template with two recording controls bound, that runs
// a script in its loop (or while it initialises) and logs its walk, its
// notifications and OK.
struct ScriptedDialog : fw::CDialog {
    ScriptedDialog(UINT templateId, HWND owner, std::function<void(ScriptedDialog&)> script, bool inInit = false)
        : fw::CDialog(templateId, owner), m_script(std::move(script)), m_nTemplate(templateId), m_bInInit(inInit)
    {
    }
    RecordingControl first{"first"};
    RecordingControl second{"second"};
    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kProbe)
            g_calls.push_back(to_string(m_nTemplate) + " walk");
        return fw::CDialog::PreTranslateMessage(msg);
    }
    void DeclareControls() override
    {
        BindControl(m_nTemplate == IDD_TEST_OWNER ? IDC_TEST_DRAWN : IDC_TEST_CHILD_BUTTON, first);
        BindControl(IDC_TEST_LIST, second);
    }
    BOOL OnInitDialog() override
    {
        if (m_bInInit)
            m_script(*this);
        else
            ::PostMessageA(m_hWnd, kRunScript, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override { return msg == kRunScript && (m_script(*this), true); }
    bool OnNotify(int id, NMHDR&, LRESULT&) override { return g_calls.push_back("Notify " + to_string(id)), true; }
    void OnOK() override { EndDialog(77); }
    std::function<void(ScriptedDialog&)> m_script;
    UINT m_nTemplate;
    bool m_bInInit;
};

WNDPROC g_belowOuter = nullptr;
int g_outerCalls = 0;
LRESULT CALLBACK OuterSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETTEXT)
        ++g_outerCalls;
    return ::CallWindowProcA(g_belowOuter, hwnd, msg, wParam, lParam);
}

// Counts the texts set through it and declines them, so the control still
// takes them.
struct TextCounter : fw::CWnd {
    int texts = 0;
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override { return msg == WM_SETTEXT && (++texts, false); }
};
} // namespace

TEST(TypedHandlers, EachMessageReachesItsHandlerUnpacked)
{
    ASSERT_TRUE(fw::CWnd::RegisterOwnClass("TypedWindow", 0, nullptr));
    TypedWindow window;
    ASSERT_TRUE(window.Create("TypedWindow", "", WS_POPUP, 0, RECT{0, 0, 50, 50}, nullptr, 0));
    HWND hwnd = window.GetSafeHwnd();
    const LPARAM self = reinterpret_cast<LPARAM>(hwnd);
    NMHDR notify{::GetDesktopWindow(), 12, static_cast<UINT>(NM_CLICK)};
    const std::tuple<UINT, WPARAM, LPARAM, Calls, LRESULT> cases[] = {
        {WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), self, {"Command 0 1001", "Clicked 1001"}, 0},
        {WM_COMMAND, MAKEWPARAM(1002, 1), 0, {"Command 1 1002", "Clicked 1002"}, 0}, // an accelerator
        {WM_COMMAND, MAKEWPARAM(10, LBN_DBLCLK), self, {"Command 2 10", "Message WM_COMMAND"}, 5},
        {WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&notify), {"Notify 12 -2"}, 7},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7), {"Down -5,7 5"}, 0},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, -2), {"Move 300,-2 1"}, 0},
        {WM_LBUTTONUP, 0, MAKELPARAM(3, 4), {"Up 3,4 0"}, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WORD(-240)), MAKELPARAM(600, 400), {"Wheel -240 600,400 8"}, 0},
        {WM_TIMER, 100, 0, {"Timer 100"}, 0},
        {WM_ERASEBKGND, 0, 0, {"Erase"}, 1},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, -3), {"DblClk 4,-3 1"}, 0},
        {WM_CAPTURECHANGED, 0, 0, {"Capture released"}, 0},
        {WM_CANCELMODE, 0, 0, {"CancelMode"}, 0},
        {WM_KEYDOWN, VK_SPACE, 0x00390001, {"KeyDown 32 3735553"}, 0},
        {WM_CHAR, 'a', 0x001E0001, {"Char 97 1966081"}, 0},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 450), {"Size 2 640,450 0"}, 0},
        {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, {"Show 1,0 3"}, 0},
        {WM_SETFONT, reinterpret_cast<WPARAM>(window.kFont), TRUE, {"Font 1"}, 0},
        {WM_CTLCOLORLISTBOX, 0, 0, {"Colour 2"}, reinterpret_cast<LRESULT>(window.kBrush)},
        {WM_QUERYDRAGICON, 0, 0, {"DragIcon"}, reinterpret_cast<LRESULT>(window.kIcon)},
        {WM_APP + 9, 0, 0, {"Signal WM_APP + 9"}, 0},
    };
    for (const auto& [msg, wParam, lParam, calls, result] : cases) {
        g_calls.clear();
        EXPECT_EQ(::SendMessageA(hwnd, msg, wParam, lParam), result) << calls[0];
        EXPECT_EQ(g_calls, calls);
    }
    window.handled = false; // a handler that declines leaves the message to OnMessage
    g_calls.clear();
    ::SendMessageA(hwnd, WM_TIMER, 7, 0);
    ::SendMessageA(hwnd, WM_APP + 9, 0, 0);
    EXPECT_EQ(g_calls, (Calls{"Timer 7", "Message WM_TIMER", "Signal WM_APP + 9", "Message WM_APP + 9"}));
    ::DestroyWindow(hwnd);
}

// A handler hands the message it is given on exactly as it came: to the
// control's own procedure, or to another window.
TEST(TypedHandlers, DefaultAndForwardToPassTheMessageOnUnchanged)
{
    struct Relay : fw::CWnd {
        HWND to = nullptr;
        bool OnSetFont(HFONT, bool) override { return Default(), true; }
        bool OnMouseWheel(short, UINT, POINT) override { return ForwardTo(to), true; }
    };
    ASSERT_TRUE(fw::CWnd::RegisterOwnClass("TypedWindow", 0, nullptr));
    TypedWindow target;
    ASSERT_TRUE(target.Create("TypedWindow", "", WS_POPUP, 0, RECT{0, 0, 50, 50}, nullptr, 0));
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    Relay relay;
    relay.to = target.GetSafeHwnd();
    ASSERT_TRUE(relay.SubclassWindow(edit));
    ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(target.kFont), FALSE);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0)), target.kFont);
    g_calls.clear();
    ::SendMessageA(edit, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), MAKELPARAM(-7, 9));
    EXPECT_EQ(g_calls, Calls{"Wheel 120 -7,9 4"});
    ::DestroyWindow(edit);
    ::DestroyWindow(target.GetSafeHwnd());
}

TEST(Dialog, NestedModalLoopsWalkTargetParentsOwnersAndReflectToControls)
{
    g_calls.clear();
    INT_PTR childResult = 0;
    bool ownerEnabledInChild = true;
    ScriptedDialog owner(IDD_TEST_OWNER, nullptr, [&](ScriptedDialog& dlg) {
        LVITEMA row{};
        row.mask = LVIF_TEXT;
        row.pszText = const_cast<char*>("row");
        ::SendMessageA(dlg.second.GetSafeHwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
        ::UpdateWindow(dlg.GetSafeHwnd());
        ScriptedDialog child(IDD_TEST_CHILD, dlg.GetSafeHwnd(), [&](ScriptedDialog& c) {
            ownerEnabledInChild = ::IsWindowEnabled(dlg.GetSafeHwnd()) != FALSE;
            ::PostMessageA(c.first.GetSafeHwnd(), kProbe, 0, 0);
            ::PostMessageA(c.first.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        });
        childResult = child.DoModal();
        EXPECT_TRUE(::IsWindowEnabled(dlg.GetSafeHwnd()));
        ::PostMessageA(dlg.GetSafeHwnd(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(owner.DoModal(), 77);
    EXPECT_EQ(childResult, IDCANCEL) << "Escape ends the child through its keyboard handling";
    EXPECT_FALSE(ownerEnabledInChild);
    // The list's rows are measured while it is created, before it could be
    // subclassed: matched by control id, before anything else.
    EXPECT_EQ(g_calls.front(), "second MeasureItem");
    auto seen = [](const std::string& call) { return std::count(g_calls.begin(), g_calls.end(), call); };
    EXPECT_GE(seen("first DrawItem"), 1);
    EXPECT_GE(seen("second ReflectedNotify"), 1);
    EXPECT_EQ(seen("second ReflectedNotify"), seen("Notify " + to_string(IDC_TEST_LIST)));
    Calls walk;
    std::copy_if(g_calls.begin(), g_calls.end(), std::back_inserter(walk),
                 [](const std::string& call) { return call.find(" walk") != std::string::npos; });
    EXPECT_EQ(walk, (Calls{"first walk", to_string(IDD_TEST_CHILD) + " walk", to_string(IDD_TEST_OWNER) + " walk"}));
}

TEST(Dialog, DoModalEndsWithTheCodeOfItsEndOrMinusOneWithoutTemplate)
{
    const std::tuple<INT_PTR, bool, void (*)(ScriptedDialog&)> cases[] = {
        {42, true, [](ScriptedDialog& dlg) { dlg.EndDialog(42); }}, // while it initialises
        {0, false, [](ScriptedDialog& dlg) { dlg.EndDialog(0); }},
        {IDCANCEL, false, [](ScriptedDialog& dlg) { ::PostMessageA(dlg.GetSafeHwnd(), WM_CLOSE, 0, 0); }},
        {77, false, [](ScriptedDialog& dlg) { ::PostMessageA(dlg.GetSafeHwnd(), WM_COMMAND, IDOK, 0); }},
        {IDCANCEL, false, [](ScriptedDialog&) { ::PostQuitMessage(3); }}, // and the quit reaches the loop below
        // No exception leaves the dialog's procedure: a failed initialisation
        // ends the dialog, one in a handler ends only that message.
        {-1, true, [](ScriptedDialog&) { throw std::bad_alloc(); }},
        {IDCANCEL, false,
         [](ScriptedDialog& dlg) {
             ::PostMessageA(dlg.GetSafeHwnd(), WM_CLOSE, 0, 0);
             throw std::runtime_error("in a handler");
         }},
    };
    for (const auto& [expected, inInit, end] : cases) {
        ScriptedDialog dlg(IDD_TEST_CHILD, nullptr, end, inInit);
        EXPECT_EQ(dlg.DoModal(), expected);
        EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    }
    MSG quit{};
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
    EXPECT_EQ(fw::CDialog(4242).DoModal(), -1);
}

// Subclassing sits in the window procedure chain: letting go restores the
// control's own procedure, or, under someone else's subclass, stays as a
// pass-through; destroying the window detaches the object.
TEST(Subclass, LetsGoCleanlyAlsoUnderALaterSubclassAndOnDestruction)
{
    for (bool outer : {false, true}) {
        HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
        auto original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
        TextCounter counter;
        ASSERT_TRUE(counter.SubclassWindow(edit));
        EXPECT_FALSE(TextCounter().SubclassWindow(edit)) << "one object per window";
        ::SetWindowTextA(edit, "one");
        if (outer)
            g_belowOuter = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterSubclass)));
        counter.UnsubclassWindow();
        EXPECT_EQ(fw::CWnd::FromHandle(edit), nullptr);
        EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC) == original, !outer);
        ::SetWindowTextA(edit, "two");
        char text[8] = {};
        ::GetWindowTextA(edit, text, sizeof text);
        EXPECT_STREQ(text, "two");
        EXPECT_EQ(counter.texts, 1);
        EXPECT_EQ(g_outerCalls, outer ? 1 : 0);

        TextCounter again;
        EXPECT_EQ(again.SubclassWindow(edit), !outer) << "not under a foreign subclass";
        ::DestroyWindow(edit);
        EXPECT_EQ(again.GetSafeHwnd(), nullptr);
    }
}
