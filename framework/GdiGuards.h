// Scoped guards for device contexts, selected GDI objects and COM
// initialisation: each undoes exactly what its constructor did.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace fw {

// GetDC / ReleaseDC for one window (null means the whole screen).
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(::GetDC(hwnd)) {}
    ~ScopedWindowDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// BeginPaint / EndPaint inside a WM_PAINT handler.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND hwnd) : m_hWnd(hwnd) { m_hDC = ::BeginPaint(hwnd, &m_ps); }
    ~ScopedPaint() { ::EndPaint(m_hWnd, &m_ps); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC get() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

// A memory DC compatible with another one, deleted at scope end.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatibleWith) : m_hDC(::CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDC()
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HDC m_hDC;
};

// SelectObject with the previous object selected back at scope end.
class ScopedSelect {
public:
    ScopedSelect(HDC hdc, HGDIOBJ obj) : m_hDC(hdc), m_hOld(obj ? ::SelectObject(hdc, obj) : nullptr) {}
    ~ScopedSelect()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// CoInitialize / CoUninitialize for the current thread (apartment threaded).
class ScopedComInit {
public:
    ScopedComInit() : m_hr(::CoInitialize(nullptr)) {}
    ~ScopedComInit()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    HRESULT m_hr;
};

// COM on this thread from the first Enter until the owner goes, for a window
// that needs it only after it has shown: loading COM costs its first paint.
class ComApartment {
public:
    ComApartment() = default;
    ~ComApartment()
    {
        if (m_bEntered)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    void Enter()
    {
        if (m_bTried)
            return;
        m_bTried = true;
        m_bEntered = SUCCEEDED(::CoInitialize(nullptr));
    }

private:
    bool m_bTried = false;
    bool m_bEntered = false;
};

} // namespace fw
