// Non-owning window wrapper: a CWnd refers to a window that someone else
// created (a dialog template, a control) and routes its messages to typed
// virtual handlers, so a window class overrides only what it answers. Each
// handler returns whether it handled the message; false lets the window's
// default processing run. Owner-draw and notification messages that a parent
// receives are first offered to the object of the child control that caused
// them, so a control can draw itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace fw {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window, or null for a window we do not wrap.
    static CWnd* FromHandle(HWND hwnd);

    // Routes an existing window's messages through this object until the
    // window is destroyed or UnsubclassWindow is called.
    bool SubclassWindow(HWND hwnd);
    void UnsubclassWindow();
    // Destroys the window this object refers to, when it has one.
    void DestroyWindow();

    // A window class of our own whose messages go to the object that created
    // the window; register once, then Create windows of it.
    static bool RegisterOwnClass(const char* className, UINT classStyle, HCURSOR cursor);
    bool Create(const char* className, const char* text, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                UINT controlId);

    // Offered every queued message aimed at this window, a child, or a window
    // it owns, before dispatch. True consumes the message.
    virtual bool PreTranslateMessage(MSG* msg);

    // Routes one message to its typed handler (after the child that caused
    // it, for owner-draw and notifications), else to OnMessage.
    bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Dispatch for the window procedures: an exception ends the message's
    // handling as handled, with result 0.
    bool DispatchGuarded(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

protected:
    // WM_COMMAND. The default hands a click (BN_CLICKED, which is also the
    // code of a menu item, or an accelerator) to OnButtonClicked.
    virtual bool OnCommand(UINT code, int id, HWND control);
    virtual bool OnButtonClicked(int /*id*/) { return false; }
    // WM_NOTIFY from a child that did not handle it itself.
    virtual bool OnNotify(int /*id*/, NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

    // Mouse messages: client coordinates and the MK_ key flags; the wheel
    // gives screen coordinates and a signed distance.
    virtual bool OnLButtonDown(POINT /*point*/, UINT /*keys*/) { return false; }
    virtual bool OnLButtonUp(POINT /*point*/, UINT /*keys*/) { return false; }
    virtual bool OnMouseMove(POINT /*point*/, UINT /*keys*/) { return false; }
    virtual bool OnMouseWheel(short /*delta*/, UINT /*keys*/, POINT /*screenPoint*/) { return false; }
    virtual bool OnMouseLeave() { return false; }
    virtual bool OnLButtonDblClk(POINT /*point*/, UINT /*keys*/) { return false; }
    // The capture went to another window (null when released).
    virtual bool OnCaptureChanged(HWND /*newCapture*/) { return false; }
    virtual bool OnCancelMode() { return false; }

    // Keyboard: the virtual key or character and the message's key flags
    // (repeat count, scan code, previous state).
    virtual bool OnKeyDown(UINT /*key*/, UINT /*flags*/) { return false; }
    virtual bool OnKeyUp(UINT /*key*/, UINT /*flags*/) { return false; }
    virtual bool OnChar(UINT /*character*/, UINT /*flags*/) { return false; }

    virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
    virtual bool OnPaint() { return false; }
    // True when the background is erased (the window paints all of it).
    virtual bool OnEraseBackground(HDC /*dc*/) { return false; }
    virtual bool OnKillFocus(HWND /*next*/) { return false; }
    virtual bool OnClose() { return false; }
    virtual bool OnDestroy() { return false; }
    virtual bool OnSize(UINT /*type*/, int /*width*/, int /*height*/) { return false; }
    virtual bool OnShowWindow(bool /*shown*/, UINT /*status*/) { return false; }
    virtual bool OnSetFont(HFONT /*font*/, bool /*redraw*/) { return false; }
    // WM_CTLCOLOR*: the brush for a child's background, null to decline.
    virtual HBRUSH OnControlColor(UINT /*kind*/, HDC /*dc*/, HWND /*control*/) { return nullptr; }
    // The icon shown while the minimised window is dragged, null to decline.
    virtual HICON OnQueryDragIcon() { return nullptr; }
    // Messages of this program (WM_APP and up) and registered ones: in this
    // program they carry nothing in wParam and lParam.
    virtual bool OnSignal(UINT /*msg*/) { return false; }

    // Owner-draw: first offered to the object of the control itself, then,
    // when that declines or the control is not wrapped, to its parent.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
    // WM_NOTIFY that this control sent to its parent; false passes it on to
    // the parent's OnNotify.
    virtual bool OnReflectedNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

    // Every message without a typed handler, and those whose handler
    // declined: return true with a result when handled.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The wrapper bound to a control id of this window, if any. Used for
    // WM_MEASUREITEM, which arrives before a control can be subclassed.
    virtual CWnd* FindBoundControl(int controlId);

    // Default processing of the message being handled, exactly as it came:
    // the original procedure of a subclassed control, else DefWindowProc
    // (a dialog's default processing is its handler returning false). Its
    // result becomes the message's result when the handler returns true.
    LRESULT Default();
    // The message being handled, sent on unchanged to another window.
    LRESULT ForwardTo(HWND window);

    void AttachHandle(HWND hwnd);
    void DetachHandle();

    HWND m_hWnd = nullptr;

private:
    // The message being dispatched; nested for messages sent meanwhile. It
    // is put back after each handler, so an object must outlive the messages
    // it handles; a message reflected to a child keeps its parent's record.
    struct CurrentMessage {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT* result;
    };

    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    bool DispatchTyped(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    CWnd* ChildToReflectTo(UINT msg, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);

    bool m_bSubclassed = false;
    WNDPROC m_pfnSuper = nullptr;
    CurrentMessage* m_pCurrent = nullptr;
};

// The virtual key of a queued WM_KEYDOWN or WM_KEYUP, for pre-translation.
UINT KeyOf(const MSG& msg);

} // namespace fw
