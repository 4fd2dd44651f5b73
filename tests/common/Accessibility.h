// What a screen reader learns about the windows: the names clients read
// through the accessibility interface, and the events the windows raise.
#pragma once

#include "framework/ComPtr.h"
#include "framework/Utf16Text.h"

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <tuple>
#include <vector>

namespace testing_support {

// The name a client reads for the window's client object. Wine has no
// standard object for some windows (the list view among them): there the
// window text the program set, as the platform's object reports it, without
// the mnemonic's marker.
inline std::string AccessibleName(HWND window)
{
    fw::ComPtr<IAccessible> object;
    if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, object.receiveVoid()))) {
        char text[256] = {};
        ::GetWindowTextA(window, text, sizeof text);
        std::string name = text;
        if (name.find('&') != std::string::npos)
            name.erase(name.find('&'), 1);
        return name;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) != S_OK || !name)
        return "(none)";
    std::string text = fw::NarrowText(name, static_cast<int>(::SysStringLen(name)), CP_ACP);
    ::SysFreeString(name);
    return text;
}

// Records the focus events of this process while it lives; they arrive
// while the thread handles its messages.
class FocusEvents {
public:
    using Event = std::tuple<HWND, LONG, LONG>; // window, object, child
    FocusEvents()
    {
        s_events.clear();
        m_hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &Record, ::GetCurrentProcessId(), 0,
                                   WINEVENT_OUTOFCONTEXT);
    }
    ~FocusEvents() { ::UnhookWinEvent(m_hook); }
    FocusEvents(const FocusEvents&) = delete;
    FocusEvents& operator=(const FocusEvents&) = delete;
    // The events raised for this window since the last call.
    std::vector<Event> Take(HWND window)
    {
        std::vector<Event> taken;
        for (const Event& event : s_events)
            if (std::get<0>(event) == window)
                taken.push_back(event);
        s_events.clear();
        return taken;
    }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        s_events.emplace_back(window, object, child);
    }
    static inline std::vector<Event> s_events;
    HWINEVENTHOOK m_hook = nullptr;
};

} // namespace testing_support
