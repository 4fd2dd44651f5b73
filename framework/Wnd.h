// Non-owning window wrapper: a CWnd refers to a window that someone else
// created (a dialog template, a control) and routes its messages to virtual
// handlers. Owner-draw and notification messages that a parent receives are
// reflected back to the object of the child control that caused them, so a
// control can draw itself.
#pragma once

#include <windows.h>

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

    // A window class of our own whose messages go to the object that created
    // the window; register once, then Create windows of it.
    static bool RegisterOwnClass(const char* className, UINT classStyle, HCURSOR cursor);
    bool Create(const char* className, const char* text, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                UINT controlId);

    // Offered every queued message aimed at this window, a child, or a window
    // it owns, before dispatch. True consumes the message.
    virtual bool PreTranslateMessage(MSG* msg);

    // Routes one message: reflection to a child first, then OnMessage.
    bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // A message map: return true with a result when handled; false lets the
    // window's default processing run.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // WM_DRAWITEM, WM_MEASUREITEM and WM_NOTIFY that this control caused,
    // received first by its parent.
    virtual bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The wrapper bound to a control id of this window, if any. Used for
    // WM_MEASUREITEM, which arrives before a control can be subclassed.
    virtual CWnd* FindBoundControl(int controlId);

    // Default processing of a subclassed window (the original procedure).
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    void AttachHandle(HWND hwnd);
    void DetachHandle();

    HWND m_hWnd = nullptr;

private:
    bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);

    bool m_bSubclassed = false;
};

} // namespace fw
