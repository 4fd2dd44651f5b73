// Move-only owners for Win32 handles. A traits type names the handle type, the
// value that means "none" and the function that releases it, so every handle
// the program acquires is released exactly once, on every path. Every owner
// of the framework is named alike: get, reset, release, receive.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <utility>

namespace fw {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : m_h(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Type get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }

    Type release()
    {
        Type h = m_h;
        m_h = Traits::Invalid();
        return h;
    }

    void reset(Type h = Traits::Invalid())
    {
        if (m_h != Traits::Invalid())
            Traits::Close(m_h);
        m_h = h;
    }

    // For APIs that return a handle through an out-parameter.
    Type* receive()
    {
        reset();
        return &m_h;
    }

private:
    Type m_h = Traits::Invalid();
};

// Most handles mean "none" when null; CreateFile, FindFirstFile and their
// kind report failure as INVALID_HANDLE_VALUE instead.
template <typename T>
struct NullMeansNone {
    using Type = T;
    static Type Invalid() { return nullptr; }
};
struct InvalidValueMeansNone {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
};

struct KernelHandleTraits : NullMeansNone<HANDLE> {
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits : InvalidValueMeansNone {
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FindHandleTraits : InvalidValueMeansNone {
    static void Close(Type h) { ::FindClose(h); }
};
struct RegKeyTraits : NullMeansNone<HKEY> {
    static void Close(Type h) { ::RegCloseKey(h); }
};
struct LibraryTraits : NullMeansNone<HMODULE> {
    static void Close(Type h) { ::FreeLibrary(h); }
};
template <typename Gdi>
struct GdiObjectTraits : NullMeansNone<Gdi> {
    static void Close(Gdi h) { ::DeleteObject(h); }
};
struct IconTraits : NullMeansNone<HICON> {
    static void Close(Type h) { ::DestroyIcon(h); }
};
// A window this code created and has not handed to anyone yet.
struct WindowTraits : NullMeansNone<HWND> {
    static void Close(Type h) { ::DestroyWindow(h); }
};
struct ImageListTraits : NullMeansNone<HIMAGELIST> {
    static void Close(Type h) { ::ImageList_Destroy(h); }
};
struct BstrTraits : NullMeansNone<BSTR> {
    static void Close(Type h) { ::SysFreeString(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueBstr = UniqueHandle<BstrTraits>;

// An export of a loaded library as the function type the caller expects;
// null when the library lacks it.
template <typename Proc>
Proc ExportOf(HMODULE module, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace fw
