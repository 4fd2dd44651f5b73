#include "MessageBoxProbe.h"
#include "TestSystem.h"

#include <atomic>
#include <thread>

namespace testing_support {

namespace {
const int kMessageTextId = 0xFFFF;

HWND FindMessageBox(DWORD processId)
{
    return FindVisibleWindow("#32770", nullptr, processId, [](HWND box) { return ::GetDlgItem(box, kMessageTextId) != nullptr; });
}

// The box's icon, by the system icon it shows. Only this process's boxes
// tell: the handles of another process's icons cannot be compared here.
BoxIcon ClassifyIcon(HWND box)
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

std::string WindowText(HWND hwnd)
{
    char buffer[2048] = {};
    ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}
} // namespace

bool AnyMessageBoxShown(DWORD processId)
{
    return FindMessageBox(processId) != nullptr;
}

std::optional<MessageBoxSeen> DismissNextMessageBox(DWORD timeoutMs, DWORD processId)
{
    HWND box = nullptr;
    if (!Eventually([&] { return (box = FindMessageBox(processId)) != nullptr; }, timeoutMs))
        return std::nullopt;
    MessageBoxSeen seen{WindowText(::GetDlgItem(box, kMessageTextId)), WindowText(box), ClassifyIcon(box),
                        ::GetWindow(box, GW_OWNER)};
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    // Wait until it is gone so the next probe does not see it again.
    Eventually([&] { return !::IsWindowVisible(box); });
    return seen;
}

std::vector<MessageBoxSeen> CollectMessageBoxes(const std::function<void()>& code)
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
