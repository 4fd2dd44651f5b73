// Helpers for tests that drive real processes, files and registry keys under
// Wine: the build's folders, child processes, windows of other processes,
// scratch folders, files and raw registry values.
#pragma once

#include "framework/Handle.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {
class CDialog;
}

namespace testing_support {

// A folder inside the win64 build tree (LUMBRA_BUILD, a Unix path), e.g.
// "bin", in Windows form ending in a backslash. Fails the test when unset.
std::string BuildFolder(const char* relative);

class ChildProcess {
public:
    ~ChildProcess() { Kill(); }
    bool Start(const std::string& commandLine, const std::string& workingFolder = std::string());
    // The exit code, or nothing if it still runs after the timeout.
    std::optional<DWORD> Wait(DWORD timeoutMs);
    void Kill();
    DWORD Id() const { return m_dwId; }
    HANDLE Handle() const { return m_hProcess.get(); }

private:
    fw::UniqueKernelHandle m_hProcess;
    DWORD m_dwId = 0;
};

// A visible top-level window of this class and title (either may be null), of
// one process if processId != 0, that passes the test; null when there is none.
HWND FindVisibleWindow(const char* className, const char* title, DWORD processId,
                       const std::function<bool(HWND)>& test = nullptr);
// The visible top-level window with this title (of one process if pid != 0).
HWND WaitForWindow(const char* title, DWORD processId, DWORD timeoutMs);

// Polls a condition until it holds or the time is up.
template <typename Condition>
bool Eventually(Condition condition, DWORD timeoutMs = 5000)
{
    for (DWORD start = ::GetTickCount(); !condition(); ::Sleep(20))
        if (::GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

// The program's message loop for modeless windows: each queued message
// through the pre-translation walk, then translated and dispatched.
void Pump();
// Runs a dialog modally while the steps run from inside its loop, each once,
// 100 ms apart; the dialog's end code.
INT_PTR RunModal(fw::CDialog& dialog, std::vector<std::function<void()>> steps);

// Removes a folder (ending in a backslash) with all its content.
void RemoveTree(const std::string& folder);

// A fresh folder under the temporary folder, removed with its content.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* prefix);
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
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

// Sets a value to exactly these bytes of a type, creating its key.
void WriteValue(HKEY hive, const char* subKey, const char* name, DWORD type, const std::string& bytes);
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
