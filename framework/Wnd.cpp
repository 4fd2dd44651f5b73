#include "Wnd.h"

namespace fw {

namespace {
const char kObjectProperty[] = "fw.CWnd";
// The procedure a subclass replaced, kept with the window so that it is still
// called when the object let go while a later subclass sat on top of ours.
const char kSuperProperty[] = "fw.CWnd.super";
} // namespace

CWnd::~CWnd()
{
    if (m_bSubclassed && m_hWnd && ::IsWindow(m_hWnd))
        UnsubclassWindow();
    else if (m_hWnd && ::IsWindow(m_hWnd))
        DetachHandle();
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty));
}

void CWnd::AttachHandle(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kObjectProperty, this);
}

void CWnd::DetachHandle()
{
    if (m_hWnd && ::GetPropA(m_hWnd, kObjectProperty) == this)
        ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

// Classic subclassing through the window procedure rather than the common
// controls' subclass chain: the menu then starts without loading the common
// controls library, which only the settings dialog needs.
bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd) || ::GetPropA(hwnd, kSuperProperty))
        return false;
    auto super = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (!super || !::SetPropA(hwnd, kSuperProperty, reinterpret_cast<HANDLE>(super)))
        return false;
    AttachHandle(hwnd);
    m_pfnSuper = super;
    m_bSubclassed = true;
    if (!::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc))) {
        m_bSubclassed = false;
        ::RemovePropA(hwnd, kSuperProperty);
        DetachHandle();
        return false;
    }
    return true;
}

void CWnd::UnsubclassWindow()
{
    if (!m_bSubclassed)
        return;
    // Only our own procedure can be taken out; under someone else's it stays
    // and passes every message straight on.
    if (::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropA(m_hWnd, kSuperProperty);
    }
    m_bSubclassed = false;
    DetachHandle();
}

bool CWnd::RegisterOwnClass(const char* className, UINT classStyle, HCURSOR cursor)
{
    WNDCLASSA existing{};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), className, &existing))
        return true;
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::OwnWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.lpszClassName = className;
    return ::RegisterClassA(&wc) != 0;
}

bool CWnd::Create(const char* className, const char* text, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                  UINT controlId)
{
    if (m_hWnd)
        return false;
    HMENU id = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)) : nullptr;
    return ::CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent, id, ::GetModuleHandleA(nullptr), this) != nullptr;
}

LRESULT CALLBACK CWnd::OwnWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<CWnd*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self)
            self->AttachHandle(hwnd);
    }
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        LRESULT result = ::DefWindowProcA(hwnd, msg, wParam, lParam);
        self->DetachHandle();
        return result;
    }
    LRESULT result = 0;
    if (self->DispatchGuarded(msg, wParam, lParam, result))
        return result;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CWnd::PreTranslateMessage(MSG*)
{
    return false;
}

CWnd* CWnd::FindBoundControl(int)
{
    return nullptr;
}

LRESULT CWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_bSubclassed)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kSuperProperty));
    if (!super)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    CWnd* self = FromHandle(hwnd);
    if (!self || !self->m_bSubclassed)
        return ::CallWindowProcA(super, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        self->UnsubclassWindow();
        return ::CallWindowProcA(super, hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->DispatchGuarded(msg, wParam, lParam, result))
        return result;
    return ::CallWindowProcA(super, hwnd, msg, wParam, lParam);
}

} // namespace fw
