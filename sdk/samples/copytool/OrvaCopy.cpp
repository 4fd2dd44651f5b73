// The sample copy tool: a small window that holds the suite's copy mutex
// "OrvaMtxCpy" while it is open, so a running menu locks its start and close
// functions until the copy is done.
#include <windows.h>

namespace {
const char kClass[] = "OrvaCopyWindow";
const int kDoneButton = 1;

LRESULT CALLBACK CopyWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        HWND text = CreateWindowExA(0, "STATIC",
                                    "Copying pictures from your memory card...\n\n"
                                    "The menu is locked until the copy is finished.",
                                    WS_CHILD | WS_VISIBLE, 16, 16, 300, 60, hwnd, nullptr, nullptr, nullptr);
        HWND done = CreateWindowExA(0, "BUTTON", "Finish copy", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                    206, 84, 110, 26, hwnd, reinterpret_cast<HMENU>(kDoneButton), nullptr, nullptr);
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        SendMessageA(done, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kDoneButton)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    HANDLE copying = CreateMutexA(nullptr, TRUE, "OrvaMtxCpy");
    if (!copying || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (copying)
            CloseHandle(copying);
        return 1; // a copy is already running
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = &CopyWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, kClass, "Orva Copy", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 340, 160, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    ReleaseMutex(copying);
    CloseHandle(copying);
    return 0;
}
