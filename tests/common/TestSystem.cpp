#include "TestSystem.h"
#include "framework/Dialog.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace testing_support {

std::string BuildFolder(const char* relative)
{
    const char* build = std::getenv("LUMBRA_BUILD");
    EXPECT_TRUE(build && *build) << "LUMBRA_BUILD is not set";
    // Wine maps the Unix root to drive Z:.
    std::string folder = std::string("Z:") + (build ? build : "") + "/" + relative + "/";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& workingFolder)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // Wine now and then refuses a start right after another process of the
    // same program ended; a moment later it succeeds.
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

std::optional<DWORD> ChildProcess::Wait(DWORD timeoutMs)
{
    DWORD code = 0;
    if (!m_hProcess || ::WaitForSingleObject(m_hProcess.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(m_hProcess.get(), &code))
        return std::nullopt;
    return code;
}

void ChildProcess::Kill()
{
    if (m_hProcess && ::WaitForSingleObject(m_hProcess.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_hProcess.get(), 99);
        ::WaitForSingleObject(m_hProcess.get(), 5000);
    }
}

HWND FindVisibleWindow(const char* className, const char* title, DWORD processId,
                       const std::function<bool(HWND)>& test)
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

HWND WaitForWindow(const char* title, DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    Eventually([&] { return (found = FindVisibleWindow(nullptr, title, processId)) != nullptr; }, timeoutMs);
    return found;
}

void Pump()
{
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (!fw::WalkPreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
}

namespace {
std::vector<std::function<void()>> g_steps;
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps.empty())
        return;
    auto step = std::move(g_steps.front());
    g_steps.erase(g_steps.begin());
    step();
}
} // namespace

INT_PTR RunModal(fw::CDialog& dialog, std::vector<std::function<void()>> steps)
{
    g_steps = std::move(steps);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &RunNextStep);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_steps.clear();
    return result;
}

ScratchFolder::ScratchFolder(const char* prefix)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + prefix + std::to_string(::GetCurrentProcessId()) + "_";
    for (int i = 0; m_strPath.empty(); ++i)
        if (::CreateDirectoryA((base + std::to_string(i)).c_str(), nullptr))
            m_strPath = base + std::to_string(i) + "\\";
}

void RemoveTree(const std::string& folder)
{
    // The shell wants the folder without its backslash, ended by two zeros.
    std::string from = folder.substr(0, folder.size() - 1) + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    ::SHFileOperationA(&operation);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void WriteValue(HKEY hive, const char* subKey, const char* name, DWORD type, const std::string& bytes)
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

} // namespace testing_support
