// Finds a message box shown by any thread or process of the session, reads
// what a user would see (text, caption, owner, and for this process's boxes
// the icon) and dismisses it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace testing_support {

enum class BoxIcon { None, Error, Warning, Information, Unknown };

struct MessageBoxSeen {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    HWND owner = nullptr;

    auto Key() const { return std::tie(text, caption, icon, owner); }
    bool operator==(const MessageBoxSeen& other) const { return Key() == other.Key(); }
    friend void PrintTo(const MessageBoxSeen& b, std::ostream* o) { *o << b.text << "|" << b.caption << "|" << int(b.icon); }
};

// Waits for a visible message box (optionally of one process), reads it and
// presses its OK button. Nothing when none appeared in time.
std::optional<MessageBoxSeen> DismissNextMessageBox(DWORD timeoutMs, DWORD processId = 0);

// True when a message box is currently shown (optionally by one process).
bool AnyMessageBoxShown(DWORD processId = 0);

// Runs code of this process that may show message boxes, reading and
// dismissing each from another thread; returns what was shown.
std::vector<MessageBoxSeen> CollectMessageBoxes(const std::function<void()>& code);

} // namespace testing_support
