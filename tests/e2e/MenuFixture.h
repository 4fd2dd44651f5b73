// What the end-to-end tests of the menu share: the menu installed as a user
// has it (program and resource library in a scratch folder, the suite's
// AppInfo and MenuSwf folders under Program Files), started and watched from
// outside, and the log that test plug-ins write of what they were asked.
#pragma once

#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace e2e {

using namespace testing_support;
const DWORD kTimeout = 20000;
using RegisterProc = HRESULT(WINAPI*)();

inline std::string ProgramFilesSuite()
{
    char folder[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, nullptr, 0, folder);
    return std::string(folder) + "\\Orva Corporation\\Nembo Dereze\\";
}

// Registers or removes the stand-in Flash control in the test prefix.
inline void RegisterStandIn(bool registered)
{
    HMODULE standIn = ::LoadLibraryA((BuildFolder("tests/win") + "StandInFlash.dll").c_str());
    ASSERT_NE(standIn, nullptr);
    auto proc = reinterpret_cast<RegisterProc>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(standIn, registered ? "DllRegisterServer" : "DllUnregisterServer")));
    ASSERT_NE(proc, nullptr);
    EXPECT_EQ(proc(), S_OK);
    ::FreeLibrary(standIn);
}

template <typename Condition>
bool Eventually(Condition condition, DWORD timeoutMs = 5000)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(25);
    }
    return true;
}

class MenuFixture : public testing::Test {
protected:
    void SetUp() override
    {
        std::string bin = BuildFolder("bin");
        ASSERT_TRUE(CopyInto(bin + "Lumbra.exe", m_install.Path() + "Lumbra.exe"));
        ASSERT_TRUE(CopyInto(bin + "Lumbra.dll", m_install.Path() + "Lumbra.dll"));
        m_suite = ProgramFilesSuite();
        RemoveTree(m_suite);
        ::SHCreateDirectoryExA(nullptr, (m_suite + "AppInfo").c_str(), nullptr);
        ::SHCreateDirectoryExA(nullptr, (m_suite + "MenuSwf").c_str(), nullptr);
        ::SetEnvironmentVariableA("LUMBRA_TEST_LOG", (m_install.Path() + "calls.log").c_str());
        DeleteRegistryTree(HKEY_CURRENT_USER, "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0");
    }
    void TearDown() override
    {
        m_menu.Kill();
        RemoveTree(m_suite);
    }

    void InstallPlugins(const std::string& from, std::initializer_list<const char*> plugins)
    {
        for (const char* plugin : plugins)
            ASSERT_TRUE(CopyInto(from + plugin, m_suite + "AppInfo\\" + plugin)) << plugin;
    }
    void InstallSamples()
    {
        InstallPlugins(BuildFolder("samples/AppInfo"), {"Orva_PhotoViewer_01.dll", "Orva_PhotoAlbum_01.dll",
                                                        "Orva_SlideShow_01.dll", "Orva_OnlinePrintApp_01.dll"});
        std::string art = BuildFolder("samples/MenuSwf");
        for (const char* file : {"viewer.png", "album.png", "slideshow.png", "print.png", "viewer_info.png",
                                 "album_info.png", "slideshow_info.png", "print_info.png"})
            CopyInto(art + file, m_suite + "MenuSwf\\" + file);
    }

    HWND StartMenu()
    {
        EXPECT_TRUE(m_menu.Start("\"" + m_install.Path() + "Lumbra.exe\"", m_install.Path()));
        return WaitForWindow("Imagora Menu", m_menu.Id(), kTimeout);
    }

    std::vector<std::string> PluginLog() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_install.Path() + "calls.log");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    ScratchFolder m_install{"lumbra_menu"};
    std::string m_suite;
    ChildProcess m_menu;
};

} // namespace e2e
