// The real Update.exe against crafted installed programs: one message box per
// run with the outcome, and an installed file that is always either the old
// program or the complete data file.
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

#include <functional>
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

struct Updater : testing::Test {
    void SetUp() override
    {
        ::CreateDirectoryA(Installed().c_str(), nullptr);
        ::CreateDirectoryA(UpdaterFolder().c_str(), nullptr);
        ASSERT_TRUE(CopyInto(BuildFolder("bin") + "Update.exe", UpdaterFolder() + "Update.exe"));
        for (int minor : {0, 1, 2, 5, 6, 7, 8})
            WriteAll(UpdaterFolder() + "data" + std::to_string(minor) + ".dat", Payload(minor));
        Register(InstalledProgram());
    }
    void TearDown() override { DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey); }

    std::string Installed() const { return m_scratch.Path() + "Program\\"; }
    std::string InstalledProgram() const { return Installed() + "Lumbra.exe"; }
    std::string UpdaterFolder() const { return m_scratch.Path() + "Updater\\"; }

    void Install(const char* fixture) { ASSERT_TRUE(CopyInto(m_fixtures + fixture + ".dll", InstalledProgram())); }
    static std::string Payload(int minor) { return "data " + std::to_string(minor) + std::string(4096, 'A' + minor); }

    static void Register(const std::string& path)
    {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
        WriteValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "", REG_SZ, path + '\0');
    }

    // Runs the updater once: its single box (caption "Update", no owner),
    // then its exit code, and no staged copy left behind; the box's text.
    std::string RunUpdater()
    {
        ChildProcess update;
        EXPECT_TRUE(update.Start("\"" + UpdaterFolder() + "Update.exe\"", m_scratch.Path()));
        MessageBoxSeen box = DismissNextMessageBox(kTimeout, update.Id()).value_or(MessageBoxSeen{});
        EXPECT_EQ(box.caption + (box.owner ? " with an owner" : ""), "Update");
        EXPECT_EQ(update.Wait(kTimeout), std::optional<DWORD>(0)) << "after its one box";
        EXPECT_EQ(::GetFileAttributesA((InstalledProgram() + ".update").c_str()), INVALID_FILE_ATTRIBUTES);
        return box.text;
    }

    const std::string m_fixtures = BuildFolder("tests/e2e/updater-fixtures");
    ScratchFolder m_scratch{"lumbra_update"};
};
} // namespace

TEST_F(Updater, ShowsOneBoxWithTheOutcomeAndReplacesOnlyAnOlderProgram)
{
    // A program whose FileVersion is as named; the minor of the data file
    // then installed, or -1.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"v1_7_60417", kUnnecessary, -1}, {"v1_0_41231", kUpdated, 0},        {"v1_2_50331", kUpdated, 2},
        {"v1_2_50401", kUnnecessary, -1}, {"v1_3_41231", kDifferent, -1},      {"two_commas", kUnnecessary, -1},
        {"six_digits_050331", kUpdated, 0}, {"no_version", kDifferent, -1}, {"no_file_version", kDifferent, -1},
    };
    for (const auto& [fixture, text, replacedBy] : cases) {
        SCOPED_TRACE(fixture);
        Install(fixture);
        std::string before = ReadAll(InstalledProgram());
        EXPECT_EQ(RunUpdater(), text);
        // Compared whole but not printed: the files are large.
        EXPECT_TRUE(ReadAll(InstalledProgram()) == (replacedBy < 0 ? before : Payload(replacedBy)));
    }
}

TEST_F(Updater, WithoutARegisteredProgramOrADataFileOrWhileInUseNothingChanges)
{
    Install("v1_0_41231");
    const std::string before = ReadAll(InstalledProgram());
    fw::UniqueFile held;
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey); }, kNotInstalled},
        {[&] { WriteValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path", REG_SZ, "C:\\"); }, kNotInstalled},
        {[&] { Register(Installed() + "Gone.exe"); }, kNotInstalled},
        {[&] { Register(InstalledProgram()); ::DeleteFileA((UpdaterFolder() + "data0.dat").c_str()); }, kFailed},
        // Held like a running program: others may read it, nobody may replace it.
        {[&] {
             WriteAll(UpdaterFolder() + "data0.dat", Payload(0));
             held.reset(::CreateFileA(InstalledProgram().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      0, nullptr));
         },
         kFailed},
    };
    for (const auto& [prepare, text] : cases) {
        prepare();
        EXPECT_EQ(RunUpdater(), text);
        EXPECT_TRUE(ReadAll(InstalledProgram()) == before);
    }
}

// An interrupted run leaves the old or the new program, and its staged copy,
// even a read-only one, does not block the next run.
TEST_F(Updater, AnInterruptedReplacementLeavesTheOldOrTheNewProgramAndALeftOverCopyBlocksNothing)
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
    // The updated program is not read-only, though its data file is.
    Install("v1_0_41231");
    WriteAll(InstalledProgram() + ".update", "left over");
    ::SetFileAttributesA((InstalledProgram() + ".update").c_str(), FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesA((UpdaterFolder() + "data0.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(RunUpdater(), kUpdated);
    EXPECT_TRUE(ReadAll(InstalledProgram()) == large);
    EXPECT_FALSE(::GetFileAttributesA(InstalledProgram().c_str()) & FILE_ATTRIBUTE_READONLY);
}

// A program whose staged copy's name would pass the path limit.
TEST_F(Updater, TooLongANameForTheStagedCopyChangesNothing)
{
    std::string deep = m_scratch.Path() + std::string(250 - m_scratch.Path().size(), 'd') + "\\";
    ASSERT_TRUE(::CreateDirectoryA(deep.c_str(), nullptr));
    ASSERT_TRUE(CopyInto(m_fixtures + "v1_0_41231.dll", deep + "L.exe"));
    Register(deep + "L.exe");
    const std::string before = ReadAll(deep + "L.exe");
    EXPECT_EQ(RunUpdater(), kFailed);
    EXPECT_TRUE(ReadAll(deep + "L.exe") == before);
}
