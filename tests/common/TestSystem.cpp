#include "TestSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace testing_support {

std::string WindowsPathFromUnix(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string FolderFromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    EXPECT_TRUE(value && *value) << variable << " is not set";
    if (!value || !*value)
        return std::string();
    std::string folder = value[0] == '/' ? WindowsPathFromUnix(value) : std::string(value);
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string BuildFolder(const char* relative)
{
    std::string build = FolderFromEnvironment("LUMBRA_BUILD");
    if (build.empty())
        return build;
    std::string folder = build + relative;
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& workingFolder)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    m_process.reset(pi.hProcess);
    m_id = pi.dwProcessId;
    return true;
}

std::optional<DWORD> ChildProcess::Wait(DWORD timeoutMs)
{
    if (!m_process || ::WaitForSingleObject(m_process.get(), timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.get(), &code);
    return code;
}

void ChildProcess::Kill()
{
    if (m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.get(), 99);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}

namespace {
struct WindowSearch {
    const char* title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    char text[256] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    if (std::string(text) != search->title || !::IsWindowVisible(hwnd))
        return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (search->processId && pid != search->processId)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}
} // namespace

HWND WaitForWindow(const char* title, DWORD processId, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        WindowSearch search{title, processId, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (::GetTickCount() - start > timeoutMs)
            return nullptr;
        ::Sleep(20);
    }
}

bool WaitUntil(DWORD timeoutMs, bool (*condition)(void*), void* context)
{
    DWORD start = ::GetTickCount();
    while (!condition(context)) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(20);
    }
    return true;
}

ScratchFolder::ScratchFolder(const char* prefix)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + prefix + std::to_string(::GetCurrentProcessId()) + "_" +
                       std::to_string(::GetTickCount());
    for (int i = 0;; ++i) {
        std::string candidate = base + "_" + std::to_string(i);
        if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate + "\\";
            break;
        }
    }
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(m_path);
}

bool CopyInto(const std::string& sourceFile, const std::string& targetFile)
{
    return ::CopyFileA(sourceFile.c_str(), targetFile.c_str(), FALSE) != FALSE;
}

void RemoveTree(const std::string& folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    WIN32_FIND_DATAA data;
    fw::UniqueFind find(::FindFirstFileA((base + "*").c_str(), &data));
    if (find) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = base + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else {
                ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(full.c_str());
            }
        } while (::FindNextFileA(find.get(), &data));
    }
    find.reset();
    ::RemoveDirectoryA(base.c_str());
}

bool RegistryKeyExists(HKEY hive, const char* subKey)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(hive, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    fw::UniqueRegKey close(key);
    return true;
}

void DeleteRegistryTree(HKEY hive, const char* subKey)
{
    ::RegDeleteTreeA(hive, subKey);
    ::RegDeleteKeyA(hive, subKey);
}

} // namespace testing_support
