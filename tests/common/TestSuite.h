// A suite as the menu finds it: the AppInfo and MenuSwf folders under a base
// folder, test plug-ins installed under any file name (the test plug-in takes
// its behaviour from its name: tests/win/plugins/TestPlugin.cpp), the
// program's per-user key fresh and empty, and the log in which plug-ins and
// the copy tool note what they were asked to do.
#pragma once

#include "TestSystem.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

#include <shlobj.h>

#include <fstream>

#include <gtest/gtest.h>

namespace testing_support {

class TestSuite {
public:
    explicit TestSuite(const std::string& base) : m_strBase(base)
    {
        RemoveTree(m_strBase);
        ::SHCreateDirectoryExA(nullptr, AppInfo().c_str(), nullptr);
        ::SHCreateDirectoryExA(nullptr, MenuSwf().c_str(), nullptr);
        DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
        fw::UniqueRegKey key;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(),
                          nullptr);
        ::SetEnvironmentVariableA("LUMBRA_TEST_LOG", LogPath().c_str());
    }
    ~TestSuite()
    {
        ::SetEnvironmentVariableA("LUMBRA_TEST_LOG", nullptr);
        RemoveTree(m_strBase);
    }

    // The suite's folders under Program Files, where the real menu looks.
    static std::string ProgramFilesBase()
    {
        char folder[MAX_PATH] = {};
        ::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, nullptr, 0, folder);
        return std::string(folder) + "\\Orva Corporation\\Nembo Dereze\\";
    }

    std::string AppInfo() const { return m_strBase + "AppInfo\\"; }
    std::string MenuSwf() const { return m_strBase + "MenuSwf\\"; }
    std::string LogPath() const { return m_strBase + "calls.log"; }
    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        std::ifstream in(LogPath()); // text mode: the plug-ins write CRLF
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // NoExport.dll is the copy tool's library: a library without GetInfo.
    void Install(const std::vector<std::string>& names) const
    {
        std::string plugin = BuildFolder("tests/win/plugins/dlls") + "TestPlugin.dll";
        for (const std::string& name : names)
            ASSERT_TRUE(CopyInto(name == "NoExport.dll" ? CopyToolLibrary() : plugin, AppInfo() + name)) << name;
    }
    // The hostile plug-in under the names of what it does.
    void InstallHostile(const std::vector<std::string>& names) const
    {
        std::string plugin = BuildFolder("tests/win/plugins/dlls") + "HostilePlugin.dll";
        for (const std::string& name : names)
            ASSERT_TRUE(CopyInto(plugin, AppInfo() + name)) << name;
    }
    void InstallSamples() const
    {
        for (const char* name :
             {"Orva_PhotoViewer_01", "Orva_PhotoAlbum_01", "Orva_SlideShow_01", "Orva_OnlinePrintApp_01"})
            ASSERT_TRUE(CopyInto(BuildFolder("samples/AppInfo") + name + ".dll", AppInfo() + name + ".dll"));
    }
    static std::string CopyToolLibrary() { return BuildFolder("tests/win/plugins/copytool") + "OrvaExIt.Dll"; }

    static void Store(const char* value, const std::string& text)
    {
        ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kProgramKey, value, text));
    }
    static std::string Stored(const char* value) { return RegReadString(HKEY_CURRENT_USER, kProgramKey, value, "-"); }
    // The stored order and hidden entries, "Sort | NoUse".
    static std::string StoredLists() { return Stored("Sort") + " | " + Stored("NoUse"); }

private:
    std::string m_strBase;
};

// Tests of the program's own windows and catalog: its resource library as the
// global one, and a fresh suite in a scratch folder.
struct SuiteTest : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load((BuildFolder("bin") + "Lumbra.dll").c_str()));
        g_pResourceLibrary = &m_library;
    }
    void TearDown() override { g_pResourceLibrary = nullptr; }

    CResourceLibrary m_library;
    ScratchFolder m_scratch{"lumbra_suite"};
    TestSuite m_suite{m_scratch.Path()};
};

} // namespace testing_support
