#include "Wnd.h"

namespace fw {

namespace {
const char kObjectProperty[] = "fw.CWnd";
const UINT_PTR kSubclassId = 0x4657; // one subclass per window through this layer
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

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return false;
    if (!::SetWindowSubclass(hwnd, &CWnd::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    AttachHandle(hwnd);
    m_bSubclassed = true;
    return true;
}

void CWnd::UnsubclassWindow()
{
    if (!m_bSubclassed)
        return;
    ::RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId);
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
    if (self->Dispatch(msg, wParam, lParam, result))
        return result;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
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
        return ::DefSubclassProc(m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<CWnd*>(refData);
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &CWnd::SubclassProc, kSubclassId);
        self->m_bSubclassed = false;
        self->DetachHandle();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->Dispatch(msg, wParam, lParam, result))
        return result;
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace fw
