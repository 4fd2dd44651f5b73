// Finds a message box shown by any thread or process of the session, reads
// what a user would see (text, caption, owner, and for this process's boxes
// the icon) and dismisses it.
#pragma once

#include "TestSystem.h"

#include <atomic>
#include <ostream>
#include <thread>
#include <tuple>

namespace testing_support {

enum class BoxIcon { None, Error, Warning, Information, Unknown };

struct MessageBoxSeen {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    HWND owner = nullptr;

    auto Key() const { return std::tie(text, caption, icon, owner); }
    bool operator==(const MessageBoxSeen& other) const { return Key() == other.Key(); }
    friend void PrintTo(const MessageBoxSeen& b, std::ostream* o)
    {
        *o << b.text << '|' << b.caption << '|' << int(b.icon);
    }
};

namespace message_box {
const int kTextId = 0xFFFF;

inline HWND Find(DWORD processId)
{
    return FindVisibleWindow("#32770", nullptr, processId, [](HWND box) { return ::GetDlgItem(box, kTextId); });
}

// The box's icon, by the system icon it shows. Only this process's boxes
// tell: the handles of another process's icons cannot be compared here.
inline BoxIcon ClassifyIcon(HWND box)
{
    HWND control = nullptr;
    while ((control = ::FindWindowExA(box, control, "Static", nullptr)))
        if ((::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            break;
    HICON shown = control ? reinterpret_cast<HICON>(::SendMessageA(control, STM_GETICON, 0, 0)) : nullptr;
    for (auto [id, kind] : {std::pair(IDI_HAND, BoxIcon::Error), std::pair(IDI_EXCLAMATION, BoxIcon::Warning),
                            std::pair(IDI_ASTERISK, BoxIcon::Information)})
        if (shown && shown == ::LoadIconA(nullptr, id))
            return kind;
    return shown ? BoxIcon::Unknown : BoxIcon::None;
}

inline std::string WindowText(HWND hwnd)
{
    char buffer[2048] = {};
    ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}
} // namespace message_box

// True when a message box is currently shown (optionally by one process).
inline bool AnyMessageBoxShown(DWORD processId = 0)
{
    return message_box::Find(processId) != nullptr;
}

// Waits for a visible message box (optionally of one process), reads it and
// presses its OK button (or another answer). Nothing when none appeared in
// time.
inline std::optional<MessageBoxSeen> DismissNextMessageBox(DWORD timeoutMs, DWORD processId = 0, WORD answer = IDOK)
{
    using namespace message_box;
    HWND box = nullptr;
    if (!Eventually([&] { return (box = Find(processId)) != nullptr; }, timeoutMs))
        return std::nullopt;
    MessageBoxSeen seen{WindowText(::GetDlgItem(box, kTextId)), WindowText(box), ClassifyIcon(box),
                        ::GetWindow(box, GW_OWNER)};
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    // Wait until it is gone so the next probe does not see it again.
    Eventually([&] { return !::IsWindowVisible(box); });
    return seen;
}

// Runs code of this process that may show message boxes, reading and
// dismissing each from another thread; returns what was shown.
inline std::vector<MessageBoxSeen> CollectMessageBoxes(const std::function<void()>& code)
{
    std::vector<MessageBoxSeen> boxes;
    std::atomic<bool> done{false};
    std::thread probe([&] {
        while (!done)
            if (auto box = DismissNextMessageBox(50, ::GetCurrentProcessId()))
                boxes.push_back(*box);
    });
    code();
    done = true;
    probe.join();
    return boxes;
}

} // namespace testing_support
