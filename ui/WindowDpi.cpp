#include "WindowDpi.h"

#include "DisplayScale.h"
#include "framework/GdiGuards.h"

namespace ui {

namespace {
template <typename Function>
Function User32Function(const char* name)
{
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

// Whether the thread draws at each monitor's own scale: only then does the
// window's monitor tell its DPI. Wine accepts the manifest's per-monitor v2
// declaration, fails to apply it and leaves the program unaware, and a
// system without the functions knows one DPI only.
bool PerMonitorAware()
{
    using GetContextFn = HANDLE(WINAPI*)();
    using GetAwarenessFn = int(WINAPI*)(HANDLE);
    static const auto getContext = User32Function<GetContextFn>("GetThreadDpiAwarenessContext");
    static const auto getAwareness = User32Function<GetAwarenessFn>("GetAwarenessFromDpiAwarenessContext");
    constexpr int kPerMonitorAware = 2; // DPI_AWARENESS_PER_MONITOR_AWARE
    return getContext && getAwareness && getAwareness(getContext()) == kPerMonitorAware;
}
} // namespace

int WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window && PerMonitorAware()) {
        const int dpi = static_cast<int>(getDpiForWindow(window));
        if (SaneDpi(dpi) == dpi)
            return dpi;
    }
    fw::ScopedWindowDC screen(nullptr);
    return SaneDpi(screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi);
}

void KeepDialogFromSystemScaling(HWND dialog)
{
    // DDC_DISABLE_ALL, from the Windows 10 1703 headers.
    constexpr int kDisableAll = 0x0001;
    using SetBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehavior = User32Function<SetBehaviorFn>("SetDialogDpiChangeBehavior");
    if (setBehavior && dialog)
        setBehavior(dialog, kDisableAll, kDisableAll);
}

} // namespace ui
