#include "ForceForeground.h"

void ForceForeground(HWND window)
{
    if (LOBYTE(LOWORD(::GetVersion())) < 5) {
        ::SetForegroundWindow(window);
        return;
    }
    // Joining the input of the foreground thread and lifting the lock time-out
    // is what lets a background process raise a window at all.
    DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    DWORD targetThread = ::GetWindowThreadProcessId(window, nullptr);
    ::AttachThreadInput(targetThread, foregroundThread, TRUE);
    DWORD savedTimeout = 0;
    ::SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &savedTimeout, 0);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    ::SetForegroundWindow(window);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                            reinterpret_cast<void*>(static_cast<UINT_PTR>(savedTimeout)), 0);
    ::AttachThreadInput(targetThread, foregroundThread, FALSE);
}
