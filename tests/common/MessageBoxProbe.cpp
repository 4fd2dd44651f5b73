#include "MessageBoxProbe.h"

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
    HICON icon;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<IconSearch*>(lParam);
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    search->icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    return search->icon == nullptr;
}

BoxIcon ClassifyIcon(HWND box)
{
    IconSearch search{nullptr};
    ::EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&search));
    if (!search.icon)
        return BoxIcon::None;
    // Icon handles differ between processes; compare what they show.
    std::vector<BYTE> shown = IconPixels(search.icon);
    const struct {
        LPCSTR id;
        BoxIcon kind;
    } known[] = {{IDI_HAND, BoxIcon::Error},
                 {IDI_EXCLAMATION, BoxIcon::Warning},
                 {IDI_ASTERISK, BoxIcon::Information},
                 {IDI_QUESTION, BoxIcon::Question}};
    for (const auto& k : known)
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
    seen.icon = ClassifyIcon(box);
    seen.owner = ::GetWindow(box, GW_OWNER);
    ::GetWindowThreadProcessId(box, &seen.processId);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    // Wait until it is gone so the next probe does not see it again.
    start = ::GetTickCount();
    while (::IsWindow(box) && ::IsWindowVisible(box) && ::GetTickCount() - start < 5000)
        ::Sleep(10);
    return seen;
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
