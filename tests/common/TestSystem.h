// Helpers for tests that drive real processes, files and registry keys under
// Wine: child processes, windows of other processes, scratch folders.
#pragma once

#include "framework/Handle.h"

#include <optional>
#include <string>

namespace testing_support {

// "/work/build" -> "Z:\work\build" (Wine maps the Unix root to drive Z:).
std::string WindowsPathFromUnix(const std::string& unixPath);

// A folder named by an environment variable that holds a Unix path; the
// test build sets it. Fails the calling test when missing.
std::string FolderFromEnvironment(const char* variable);

// A folder inside the win64 build tree (LUMBRA_BUILD), e.g. "bin".
std::string BuildFolder(const char* relative);

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;

    bool Start(const std::string& commandLine, const std::string& workingFolder = std::string());
    // The exit code, or nothing if it still runs after the timeout.
    std::optional<DWORD> Wait(DWORD timeoutMs);
    void Kill();
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process.get(); }

private:
    fw::UniqueKernelHandle m_process;
    DWORD m_id = 0;
};

// The visible top-level window with this title (of one process if pid != 0).
HWND WaitForWindow(const char* title, DWORD processId, DWORD timeoutMs);
// Polls a condition until it holds or the time is up.
bool WaitUntil(DWORD timeoutMs, bool (*condition)(void*), void* context);

// A fresh folder under the temporary folder, removed with its content.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return m_path; } // ends in a backslash

private:
    std::string m_path;
};

bool CopyInto(const std::string& sourceFile, const std::string& targetFile);
void RemoveTree(const std::string& folder);
bool RegistryKeyExists(HKEY hive, const char* subKey);
void DeleteRegistryTree(HKEY hive, const char* subKey);

} // namespace testing_support
