// Turns window messages into calls of CWnd's typed handlers: the one place
// that unpacks wParam and lParam.
#include "Wnd.h"

#include <windowsx.h>

#include <utility>

namespace fw {

namespace {
POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

UINT KeysOf(WPARAM wParam)
{
    return static_cast<UINT>(GET_KEYSTATE_WPARAM(wParam));
}

// A handler that answers with a handle, null for declined.
template <typename Handle>
bool Answered(Handle handle, LRESULT& result)
{
    if (!handle)
        return false;
    result = reinterpret_cast<LRESULT>(handle);
    return true;
}
} // namespace

bool CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    CurrentMessage current{msg, wParam, lParam, &result};
    // Restored on every way out, a handler's exception included.
    struct Restore {
        CurrentMessage*& slot;
        CurrentMessage* outer;
        ~Restore() { slot = outer; }
    } restore{m_pCurrent, std::exchange(m_pCurrent, &current)};
    if (DispatchTyped(msg, wParam, lParam, result))
        return true;
    return OnMessage(msg, wParam, lParam, result);
}

LRESULT CWnd::Default()
{
    if (!m_pCurrent)
        return 0;
    const CurrentMessage& current = *m_pCurrent;
    *current.result = DefaultProc(current.msg, current.wParam, current.lParam);
    return *current.result;
}

LRESULT CWnd::ForwardTo(HWND window)
{
    if (!m_pCurrent)
        return 0;
    return ::SendMessageA(window, m_pCurrent->msg, m_pCurrent->wParam, m_pCurrent->lParam);
}

bool CWnd::DispatchGuarded(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept
{
    // The boundary to the system: a handler that throws (an allocation that
    // failed) ends that message's handling, never the program.
    try {
        return Dispatch(msg, wParam, lParam, result);
    } catch (...) {
        result = 0;
        return true;
    }
}

bool CWnd::DispatchTyped(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), static_cast<int>(LOWORD(wParam)), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header)
            return false;
        CWnd* child = ChildToReflectTo(msg, lParam);
        if (child && child->OnReflectedNotify(*header, result))
            return true;
        return OnNotify(static_cast<int>(header->idFrom), *header, result);
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* child = ChildToReflectTo(msg, lParam);
        if (!item || (!(child && child->OnDrawItem(*item)) && !OnDrawItem(*item)))
            return false;
        result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        CWnd* child = ChildToReflectTo(msg, lParam);
        if (!item || (!(child && child->OnMeasureItem(*item)) && !OnMeasureItem(*item)))
            return false;
        result = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN:
        return OnLButtonDown(PointOf(lParam), KeysOf(wParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(PointOf(lParam), KeysOf(wParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(PointOf(lParam), KeysOf(wParam));
    case WM_MOUSEWHEEL:
        return OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), KeysOf(wParam), PointOf(lParam));
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(PointOf(lParam), KeysOf(wParam));
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_CANCELMODE:
        return OnCancelMode();
    case WM_KEYDOWN:
        return OnKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    case WM_KEYUP:
        return OnKeyUp(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    case WM_CHAR:
        return OnChar(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    case WM_TIMER:
        return OnTimer(static_cast<UINT_PTR>(wParam));
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        if (!OnEraseBackground(reinterpret_cast<HDC>(wParam)))
            return false;
        result = 1;
        return true;
    case WM_KILLFOCUS:
        return OnKillFocus(reinterpret_cast<HWND>(wParam));
    case WM_CLOSE:
        return OnClose();
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_SHOWWINDOW:
        return OnShowWindow(wParam != FALSE, static_cast<UINT>(lParam));
    case WM_SETFONT:
        return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != FALSE);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return Answered(
            OnControlColor(msg - WM_CTLCOLORMSGBOX, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)),
            result);
    case WM_QUERYDRAGICON:
        return Answered(OnQueryDragIcon(), result);
    default:
        return msg >= WM_APP && OnSignal(msg);
    }
}

CWnd* CWnd::ChildToReflectTo(UINT msg, LPARAM lParam)
{
    CWnd* child = nullptr;
    if (msg == WM_NOTIFY) {
        child = FromHandle(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
    } else if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU)
            child = FromHandle(item->hwndItem);
    } else if (msg == WM_MEASUREITEM) {
        // Sent while the control is still being created, so it can only be
        // matched by its id against the controls this window declared.
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU)
            child = FindBoundControl(static_cast<int>(item->CtlID));
    }
    return child == this ? nullptr : child;
}

bool CWnd::OnCommand(UINT code, int id, HWND control)
{
    // An accelerator (code 1, no control) counts as a click of its button.
    if (code == BN_CLICKED || (code == 1 && !control))
        return OnButtonClicked(id);
    return false;
}

UINT KeyOf(const MSG& msg)
{
    return static_cast<UINT>(msg.wParam);
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

} // namespace fw
