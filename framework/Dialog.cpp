#include "Dialog.h"

#include "App.h"

namespace fw {

namespace {
// The dialog whose window is being created on this thread: its first
// messages (WM_SETFONT, WM_MEASUREITEM of owner-drawn controls) arrive before
// WM_INITDIALOG could hand over a pointer.
thread_local CDialog* t_pCreating = nullptr;

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT msg)
{
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

HWND NextUp(HWND hwnd)
{
    if (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hwnd);
    return ::GetWindow(hwnd, GW_OWNER);
}
} // namespace

bool WalkPreTranslate(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = NextUp(hwnd)) {
        CWnd* wnd = CWnd::FromHandle(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return true;
    }
    return false;
}

namespace {
void HandleQueued(MSG& msg)
{
    if (!WalkPreTranslate(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
} // namespace

bool PumpWaitingMessages()
{
    // Bounded, so that a flood of posted messages cannot hold up the work
    // between whose steps this runs.
    MSG msg;
    for (int handled = 0; handled < 1000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        HandleQueued(msg);
    }
    return true;
}

void AnswerSentMessages()
{
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

CDialog::CDialog(UINT templateId, HWND parent, HINSTANCE resources)
    : m_nTemplateId(templateId), m_hParent(parent), m_hResources(resources)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND hwnd = m_hWnd;
        DetachHandle();
        ::DestroyWindow(hwnd);
    }
}

void CDialog::BindControl(int controlId, CWnd& control)
{
    m_bound.emplace_back(controlId, &control);
}

CWnd* CDialog::FindBoundControl(int controlId)
{
    for (auto& [id, wnd] : m_bound)
        if (id == controlId)
            return wnd;
    return nullptr;
}

void CDialog::SubclassBoundControls()
{
    for (auto& [id, wnd] : m_bound) {
        HWND control = ::GetDlgItem(m_hWnd, id);
        if (control && !wnd->GetSafeHwnd())
            wnd->SubclassWindow(control);
    }
}

HWND CDialog::ChooseOwner() const
{
    if (m_hParent)
        return m_hParent;
    // Like the platform framework: without an explicit parent the active
    // window of this thread (or the main window) owns the dialog.
    HWND active = ::GetActiveWindow();
    if (active)
        return active;
    CWinApp* app = CWinApp::Get();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

bool CDialog::Create()
{
    m_bEnded = false;
    m_nResult = -1;
    m_bound.clear();
    DeclareControls();
    HINSTANCE module = m_hResources ? m_hResources : ::GetModuleHandleA(nullptr);
    CDialog* previous = t_pCreating;
    t_pCreating = this;
    HWND hwnd = ::CreateDialogParamA(module, MAKEINTRESOURCEA(m_nTemplateId), ChooseOwner(), &CDialog::DialogProc, 0);
    t_pCreating = previous;
    if (!hwnd) {
        if (m_hWnd)
            DetachHandle();
        return false;
    }
    return true;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = ChooseOwner();
    if (!m_hParent)
        m_hParent = owner;
    // The owner is disabled before the dialog exists, so that it is already
    // disabled while the dialog initialises.
    bool disabledOwner = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        disabledOwner = true;
    }
    if (Create()) {
        if (!m_bEnded && m_hWnd && !::IsWindowVisible(m_hWnd))
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    // Re-enable the owner before the dialog goes, so activation returns to it
    // rather than to some other program.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(owner);
        HWND hwnd = m_hWnd;
        DetachHandle();
        ::DestroyWindow(hwnd);
    }
    return m_nResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_bEnded && m_hWnd) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Hand the quit on to the loop below us.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (!m_bEnded)
                m_nResult = IDCANCEL;
            break;
        }
        if (got == -1)
            break;
        HandleQueued(msg);
    }
}

void CDialog::CenterIfNotPlaced(const RECT& before)
{
    // As the platform framework does: a dialog that kept its template's
    // top-left corner during initialisation is centred, over its owner when
    // that is visible, else on the work area, and kept inside the work area.
    if (!m_hWnd || m_bEnded || (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD))
        return;
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    if (rect.left != before.left || rect.top != before.top)
        return;
    MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
    ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    RECT center = area;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &center);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (center.left + center.right - width) / 2;
    int y = (center.top + center.bottom - height) / 2;
    if (x + width > area.right)
        x = area.right - width;
    if (y + height > area.bottom)
        y = area.bottom - height;
    if (x < area.left)
        x = area.left;
    if (y < area.top)
        y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(INT_PTR code)
{
    m_nResult = code;
    m_bEnded = true;
    // Wake a loop that may be waiting in GetMessage.
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return false;
    return ::IsDialogMessageA(m_hWnd, msg) != FALSE;
}

bool CDialog::OnButtonClicked(int id)
{
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        return false;
    return true;
}

bool CDialog::OnClose()
{
    OnCancel();
    return true;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CDialog*>(FromHandle(hwnd));
    if (!self) {
        self = t_pCreating;
        if (!self || self->m_hWnd)
            return FALSE;
        self->AttachHandle(hwnd);
    }
    if (msg == WM_NCDESTROY) {
        self->DetachHandle();
        return FALSE;
    }
    if (msg == WM_INITDIALOG) {
        // A dialog that cannot initialise ends: its run reports -1.
        try {
            self->SubclassBoundControls();
            RECT before{};
            ::GetWindowRect(hwnd, &before);
            BOOL focusDefault = self->OnInitDialog();
            self->CenterIfNotPlaced(before);
            return focusDefault;
        } catch (...) {
            self->EndDialog(-1);
            return FALSE;
        }
    }
    LRESULT result = 0;
    if (!self->DispatchGuarded(msg, wParam, lParam, result))
        return FALSE;
    if (ReturnsResultDirectly(msg))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace fw
