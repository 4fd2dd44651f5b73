#include "MessageBoxProbe.h"

#include "PixelHelpers.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace testing_support {

namespace {
const int kMessageTextId = 0xFFFF;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) != "#32770" || !::IsWindowVisible(hwnd) || !::GetDlgItem(hwnd, kMessageTextId))
        return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (search->processId && pid != search->processId)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindMessageBox(DWORD processId)
{
    Search search{processId, nullptr};
    ::EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<BYTE> IconPixels(HICON icon)
{
    std::vector<BYTE> pixels;
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return pixels;
    HBITMAP color = info.hbmColor ? info.hbmColor : info.hbmMask;
    BITMAP bm{};
    ::GetObjectA(color, sizeof bm, &bm);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    pixels.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight) * 4);
    HDC dc = ::GetDC(nullptr);
    ::GetDIBits(dc, color, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return pixels;
}

struct IconSearch {
    HWND control;
    HICON icon;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<IconSearch*>(lParam);
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    search->control = child;
    search->icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    return search->icon == nullptr;
}

// The pixels of a rectangle as drawn by a callback into a 32-bit bitmap.
template <typename Paint>
std::vector<DWORD> Render(int width, int height, Paint paint)
{
    PixelCanvas canvas(width, height, RGB(0, 0, 0));
    HDC screen = ::GetDC(nullptr);
    paint(canvas.dc(), screen);
    ::ReleaseDC(nullptr, screen);
    std::vector<DWORD> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

int Difference(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    int differing = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            ++differing;
    return differing;
}

const struct {
    LPCSTR id;
    BoxIcon kind;
} kKnownIcons[] = {{IDI_HAND, BoxIcon::Error},
                   {IDI_EXCLAMATION, BoxIcon::Warning},
                   {IDI_ASTERISK, BoxIcon::Information},
                   {IDI_QUESTION, BoxIcon::Question}};

// Icon handles of another process cannot be read here: compare what the
// icon control shows on screen with each system icon drawn the same way.
BoxIcon ClassifyFromScreen(HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return BoxIcon::Unknown;
    std::vector<DWORD> shown = Render(width, height, [&](HDC memory, HDC screen) {
        ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    });
    COLORREF back = shown[0];
    BoxIcon best = BoxIcon::Unknown;
    int bestDifference = width * height / 10;
    for (const auto& known : kKnownIcons) {
        std::vector<DWORD> drawn = Render(width, height, [&](HDC memory, HDC) {
            HBRUSH brush = ::CreateSolidBrush(back);
            RECT all{0, 0, width, height};
            ::FillRect(memory, &all, brush);
            ::DeleteObject(brush);
            ::DrawIconEx(memory, 0, 0, ::LoadIconA(nullptr, known.id), 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
        });
        int difference = Difference(shown, drawn);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = known.kind;
        }
    }
    return best;
}

BoxIcon ClassifyIcon(HWND box)
{
    IconSearch search{nullptr, nullptr};
    ::EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&search));
    if (!search.icon)
        return BoxIcon::None;
    std::vector<BYTE> shown = IconPixels(search.icon);
    if (shown.empty())
        return ClassifyFromScreen(search.control);
    for (const auto& k : kKnownIcons)
        if (IconPixels(::LoadIconA(nullptr, k.id)) == shown)
            return k.kind;
    return BoxIcon::Unknown;
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
    DWORD start = ::GetTickCount();
    HWND box = nullptr;
    while (!(box = FindMessageBox(processId))) {
        if (::GetTickCount() - start > timeoutMs)
            return std::nullopt;
        ::Sleep(20);
    }
    MessageBoxSeen seen;
    seen.text = WindowText(::GetDlgItem(box, kMessageTextId));
    seen.caption = WindowText(box);
    // The box may not have painted its icon yet when it first shows.
    for (int attempt = 0; attempt < 25; ++attempt) {
        seen.icon = ClassifyIcon(box);
        if (seen.icon != BoxIcon::Unknown)
            break;
        ::Sleep(20);
    }
    seen.owner = ::GetWindow(box, GW_OWNER);
    ::GetWindowThreadProcessId(box, &seen.processId);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    // Wait until it is gone so the next probe does not see it again.
    start = ::GetTickCount();
    while (::IsWindow(box) && ::IsWindowVisible(box) && ::GetTickCount() - start < 5000)
        ::Sleep(10);
    return seen;
}

std::vector<MessageBoxSeen> CollectMessageBoxes(const std::function<void()>& code)
{
    std::vector<MessageBoxSeen> boxes;
    std::atomic<bool> done{false};
    std::thread probe([&] {
        while (!done) {
            if (auto box = DismissNextMessageBox(50, ::GetCurrentProcessId()))
                boxes.push_back(*box);
        }
    });
    code();
    done = true;
    probe.join();
    return boxes;
}

const char* IconName(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None:
        return "none";
    case BoxIcon::Error:
        return "error";
    case BoxIcon::Warning:
        return "warning";
    case BoxIcon::Information:
        return "information";
    case BoxIcon::Question:
        return "question";
    default:
        return "unknown";
    }
}

} // namespace testing_support
