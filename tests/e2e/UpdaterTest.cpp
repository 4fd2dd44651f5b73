// The real Update.exe against crafted installed programs: one message box per
// run with the outcome, and an installed file that is always either the old
// program or the complete data file.
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

using namespace testing_support;

namespace {
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Lumbra.exe";
const DWORD kTimeout = 20000;

const char kNotInstalled[] = "Imagora is not installed.";
const char kDifferent[] = "Installed version of Imagora Menu is different.";
const char kUnnecessary[] = "Update of Imagora Menu is unnecessary.";
const char kUpdated[] = "Imagora Menu has been updated.";
const char kFailed[] = "Update of Imagora Menu has failed.";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string DataPayload(int minor)
{
    return "replacement program for minor " + std::to_string(minor) + std::string(4096, static_cast<char>('A' + minor));
}

class Updater : public testing::Test {
protected:
    void SetUp() override
    {
        m_bin = BuildFolder("bin");
        m_fixtures = BuildFolder("tests/e2e/updater-fixtures");
        ASSERT_FALSE(m_bin.empty());
        ::CreateDirectoryA(Installed().c_str(), nullptr);
        ::CreateDirectoryA(UpdaterFolder().c_str(), nullptr);
        ASSERT_TRUE(CopyInto(m_bin + "Update.exe", UpdaterFolder() + "Update.exe"));
        for (int minor : {0, 1, 2, 5, 6, 7, 8})
            WriteAll(UpdaterFolder() + "data" + std::to_string(minor) + ".dat", DataPayload(minor));
        Register(InstalledProgram());
    }
    void TearDown() override { DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey); }

    std::string Installed() const { return m_scratch.Path() + "Program\\"; }
    std::string InstalledProgram() const { return Installed() + "Lumbra.exe"; }
    std::string UpdaterFolder() const { return m_scratch.Path() + "Updater\\"; }

    void Install(const char* fixture) { ASSERT_TRUE(CopyInto(m_fixtures + fixture + ".dll", InstalledProgram())); }

    static void Register(const std::string& path)
    {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>(path.size() + 1));
        ::RegCloseKey(key);
    }

    // Runs the updater once: its single box, then its exit code.
    MessageBoxSeen RunUpdater()
    {
        ChildProcess update;
        EXPECT_TRUE(update.Start("\"" + UpdaterFolder() + "Update.exe\"", m_scratch.Path()));
        auto box = DismissNextMessageBox(kTimeout, update.Id());
        EXPECT_TRUE(box.has_value());
        EXPECT_EQ(update.Wait(kTimeout), std::optional<DWORD>(0));
        EXPECT_FALSE(AnyMessageBoxShown(update.Id()));
        return box.value_or(MessageBoxSeen{});
    }

    std::string m_bin;
    std::string m_fixtures;
    ScratchFolder m_scratch{"lumbra_update"};
};
} // namespace

TEST_F(Updater, ShowsTheOutcomeForEachInstalledVersion)
{
    const struct {
        const char* fixture;
        const char* text;
        BoxIcon icon;
        int replacedBy; // minor of the data file now installed, or -1
    } cases[] = {
        {"v1_7_60417", kUnnecessary, BoxIcon::Information, -1},
        {"v1_0_41231", kUpdated, BoxIcon::Information, 0},
        {"v1_2_50331", kUpdated, BoxIcon::Information, 2},
        {"v1_2_50401", kUnnecessary, BoxIcon::Information, -1},
        {"v1_2_50402", kUnnecessary, BoxIcon::Information, -1},
        {"v1_3_41231", kDifferent, BoxIcon::Warning, -1},
        {"v1_4_41231", kDifferent, BoxIcon::Warning, -1},
        {"v2_0_41231", kDifferent, BoxIcon::Warning, -1},
        {"no_commas", kDifferent, BoxIcon::Warning, -1},
        {"minor_01", kDifferent, BoxIcon::Warning, -1},
        {"no_blanks_1_0_41231", kUpdated, BoxIcon::Information, 0},
        {"two_commas", kUnnecessary, BoxIcon::Information, -1},
        {"six_digits_050331", kUpdated, BoxIcon::Information, 0},
        {"seven_digits", kUnnecessary, BoxIcon::Information, -1},
        {"four_digits", kUnnecessary, BoxIcon::Information, -1},
        {"no_version", kDifferent, BoxIcon::Warning, -1},
        {"no_file_version", kDifferent, BoxIcon::Warning, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        Install(c.fixture);
        std::string before = ReadAll(InstalledProgram());
        MessageBoxSeen box = RunUpdater();
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.caption, "Update");
        EXPECT_EQ(box.icon, c.icon) << IconName(box.icon);
        EXPECT_EQ(box.owner, nullptr);
        std::string after = ReadAll(InstalledProgram());
        // Compared whole but not printed: the files are large.
        EXPECT_TRUE(after == (c.replacedBy < 0 ? before : DataPayload(c.replacedBy)));
        EXPECT_EQ(::GetFileAttributesA((InstalledProgram() + ".update").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(Updater, ReportsNotInstalledForAMissingKeyValueOrFile)
{
    Install("v1_0_41231");
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
    EXPECT_EQ(RunUpdater().text, kNotInstalled);

    HKEY key = nullptr; // key present, default value missing
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\"), 4);
    ::RegCloseKey(key);
    MessageBoxSeen box = RunUpdater();
    EXPECT_EQ(box.text, kNotInstalled);
    EXPECT_EQ(box.icon, BoxIcon::Warning) << IconName(box.icon);

    Register(Installed() + "Gone.exe");
    EXPECT_EQ(RunUpdater().text, kNotInstalled);
    EXPECT_TRUE(ReadAll(InstalledProgram()) == ReadAll(m_fixtures + "v1_0_41231.dll"));
}

TEST_F(Updater, FailsWithoutChangeWhenTheDataFileIsMissingOrTheProgramIsInUse)
{
    Install("v1_0_41231");
    std::string before = ReadAll(InstalledProgram());
    ASSERT_TRUE(::DeleteFileA((UpdaterFolder() + "data0.dat").c_str()));
    MessageBoxSeen box = RunUpdater();
    EXPECT_EQ(box.text, kFailed);
    EXPECT_EQ(box.icon, BoxIcon::Error) << IconName(box.icon);
    EXPECT_TRUE(ReadAll(InstalledProgram()) == before);

    WriteAll(UpdaterFolder() + "data0.dat", DataPayload(0));
    // Held like a running program: others may read it, nobody may replace it.
    HANDLE held =
        ::CreateFileA(InstalledProgram().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunUpdater().text, kFailed);
    ::CloseHandle(held);
    EXPECT_TRUE(ReadAll(InstalledProgram()) == before);
    EXPECT_EQ(::GetFileAttributesA((InstalledProgram() + ".update").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Updater, AnInterruptedReplacementLeavesTheOldOrTheNewProgram)
{
    std::string large(48 * 1024 * 1024, '\0');
    std::mt19937 random(7);
    for (size_t i = 0; i < large.size(); i += 4096)
        large[i] = static_cast<char>(random());
    WriteAll(UpdaterFolder() + "data0.dat", large);
    const std::string old = ReadAll(m_fixtures + std::string("v1_0_41231.dll"));

    for (int run = 0; run < 12; ++run) {
        Install("v1_0_41231");
        ChildProcess update;
        ASSERT_TRUE(update.Start("\"" + UpdaterFolder() + "Update.exe\"", m_scratch.Path()));
        ::Sleep(static_cast<DWORD>(run * 25));
        update.Kill();
        std::string now = ReadAll(InstalledProgram());
        EXPECT_TRUE(now == old || now == large) << "run " << run << ": " << now.size() << " bytes";
    }
    Install("v1_0_41231");
    EXPECT_EQ(RunUpdater().text, kUpdated);
    EXPECT_TRUE(ReadAll(InstalledProgram()) == large);
    EXPECT_EQ(::GetFileAttributesA((InstalledProgram() + ".update").c_str()), INVALID_FILE_ATTRIBUTES);
}
