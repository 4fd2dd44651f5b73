// Helpers for tests that drive real processes, files and registry keys under
// Wine: the build's folders, child processes, windows of other processes,
// scratch folders, files and raw registry values.
#pragma once

#include "framework/Dialog.h"
#include "framework/Handle.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Polls a condition until it holds or the time is up.
template <typename Condition>
bool Eventually(Condition condition, DWORD timeoutMs = 5000)
{
    for (DWORD start = ::GetTickCount(); !condition(); ::Sleep(20))
        if (::GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

// A folder inside the win64 build tree (LUMBRA_BUILD, a Unix path), e.g.
// "bin", in Windows form ending in a backslash. Fails the test when unset.
inline std::string BuildFolder(const char* relative)
{
    const char* build = std::getenv("LUMBRA_BUILD");
    EXPECT_TRUE(build && *build) << "LUMBRA_BUILD is not set";
    // Wine maps the Unix root to drive Z:.
    std::string folder = std::string("Z:") + (build ? build : "") + "/" + relative + "/";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

class ChildProcess {
public:
    ~ChildProcess() { Kill(); }
    bool Start(const std::string& commandLine, const std::string& workingFolder = std::string())
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        // Wine now and then refuses a start right after another process of
        // the same program ended; a moment later it succeeds.
        const bool started = Eventually([&] {
            std::string line = commandLine;
            return ::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                    workingFolder.empty() ? nullptr : workingFolder.c_str(), &si, &pi) != FALSE;
        });
        if (!started)
            return false;
        fw::UniqueKernelHandle thread(pi.hThread);
        m_hProcess.reset(pi.hProcess);
        m_dwId = pi.dwProcessId;
        return true;
    }
    // The exit code, or nothing if it still runs after the timeout.
    std::optional<DWORD> Wait(DWORD timeoutMs)
    {
        DWORD code = 0;
        if (!m_hProcess || ::WaitForSingleObject(m_hProcess.get(), timeoutMs) != WAIT_OBJECT_0 ||
            !::GetExitCodeProcess(m_hProcess.get(), &code))
            return std::nullopt;
        return code;
    }
    void Kill()
    {
        if (m_hProcess && ::WaitForSingleObject(m_hProcess.get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_hProcess.get(), 99);
            ::WaitForSingleObject(m_hProcess.get(), 5000);
        }
    }
    DWORD Id() const { return m_dwId; }
    HANDLE Handle() const { return m_hProcess.get(); }

private:
    fw::UniqueKernelHandle m_hProcess;
    DWORD m_dwId = 0;
};

// A visible top-level window of this class and title (either may be null), of
// one process if processId != 0, that passes the test; null when there is none.
inline HWND FindVisibleWindow(const char* className, const char* title, DWORD processId,
                              const std::function<bool(HWND)>& test = nullptr)
{
    HWND found = nullptr;
    while ((found = ::FindWindowExA(nullptr, found, className, title))) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(found, &pid);
        if (::IsWindowVisible(found) && (!processId || pid == processId) && (!test || test(found)))
            return found;
    }
    return nullptr;
}

// The visible top-level window with this title (of one process if pid != 0).
inline HWND WaitForWindow(const char* title, DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    Eventually([&] { return (found = FindVisibleWindow(nullptr, title, processId)) != nullptr; }, timeoutMs);
    return found;
}

// The program's message loop for modeless windows: each queued message
// through the pre-translation walk, then translated and dispatched.
inline void Pump()
{
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (!fw::WalkPreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
}

// A real mouse event at a point of a window, as the hardware sends one, and
// what it causes handled.
inline void RealMouse(DWORD flags, HWND window, POINT client)
{
    ::ClientToScreen(window, &client);
    ::mouse_event(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                  client.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1),
                  client.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1), 0, 0);
    Pump();
    ::Sleep(20);
    Pump();
}

// Handles this thread's messages one at a time until the condition holds,
// so that nothing after the moment it holds has run yet.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 10000)
{
    for (DWORD start = ::GetTickCount(); !condition();) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (::GetTickCount() - start > timeoutMs)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        } else if (!fw::WalkPreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}

// Runs a dialog modally while the steps run from inside its loop, each once,
// 100 ms apart; the dialog's end code.
struct ModalSteps {
    static inline std::vector<std::function<void()>> pending;
    static void CALLBACK RunNext(HWND, UINT, UINT_PTR, DWORD)
    {
        if (pending.empty())
            return;
        auto step = std::move(pending.front());
        pending.erase(pending.begin());
        step();
    }
};
inline INT_PTR RunModal(fw::CDialog& dialog, std::vector<std::function<void()>> steps)
{
    ModalSteps::pending = std::move(steps);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &ModalSteps::RunNext);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    ModalSteps::pending.clear();
    return result;
}

// Removes a folder (ending in a backslash) with all its content.
inline void RemoveTree(const std::string& folder)
{
    // The shell wants the folder without its backslash, ended by two zeros.
    std::string from = folder.substr(0, folder.size() - 1) + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    ::SHFileOperationA(&operation);
}

// A fresh folder under the temporary folder, removed with its content.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* prefix)
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        std::string base = std::string(temp) + prefix + std::to_string(::GetCurrentProcessId()) + "_";
        for (int i = 0; m_strPath.empty(); ++i)
            if (::CreateDirectoryA((base + std::to_string(i)).c_str(), nullptr))
                m_strPath = base + std::to_string(i) + "\\";
    }
    ~ScratchFolder() { RemoveTree(m_strPath); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return m_strPath; } // ends in a backslash

private:
    std::string m_strPath;
};

inline bool CopyInto(const std::string& sourceFile, const std::string& targetFile)
{
    return ::CopyFileA(sourceFile.c_str(), targetFile.c_str(), FALSE) != FALSE;
}
inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Sets a value to exactly these bytes of a type, creating its key.
inline void WriteValue(HKEY hive, const char* subKey, const char* name, DWORD type, const std::string& bytes)
{
    fw::UniqueRegKey key;
    // A byte other than zero after the data: the system would otherwise add
    // the zero to a text stored without one.
    std::string guarded = bytes + '\x7F';
    ASSERT_TRUE(!::RegCreateKeyExA(hive, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr) &&
                !::RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                                  static_cast<DWORD>(bytes.size())))
        << subKey << " " << name;
}
inline bool RegistryKeyExists(HKEY hive, const char* subKey)
{
    fw::UniqueRegKey key;
    return ::RegOpenKeyExA(hive, subKey, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}
inline void DeleteRegistryTree(HKEY hive, const char* subKey)
{
    ::RegDeleteTreeA(hive, subKey);
    ::RegDeleteKeyA(hive, subKey);
}

} // namespace testing_support
