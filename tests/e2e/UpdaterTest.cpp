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
        // Newer builds of the 1.0 and 1.2 lines; the other data files are
        // never asked for by these programs.
        ShipDataFile(0, "v1_0_50401");
        ShipDataFile(2, "v1_2_50401");
        Register(InstalledProgram());
    }
    void TearDown() override { DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey); }

    std::string Installed() const { return m_scratch.Path() + "Program\\"; }
    std::string InstalledProgram() const { return Installed() + "Lumbra.exe"; }
    std::string UpdaterFolder() const { return m_scratch.Path() + "Updater\\"; }

    void Install(const char* fixture) { ASSERT_TRUE(CopyInto(m_fixtures + fixture + ".dll", InstalledProgram())); }
    std::string DataFile(int minor) const { return UpdaterFolder() + "data" + std::to_string(minor) + ".dat"; }
    void ShipDataFile(int minor, const char* fixture) const
    {
        ASSERT_TRUE(CopyInto(m_fixtures + fixture + ".dll", DataFile(minor)));
    }

    static void Register(const std::string& path)
    {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
        WriteValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "", REG_SZ, path + '\0');
    }

    // Runs the updater once: its single box (caption "Update", no owner),
    // then its exit code, and no staged copy left behind; the box's text.
    std::string RunUpdater(const std::string& workingFolder = std::string())
    {
        ChildProcess update;
        EXPECT_TRUE(update.Start("\"" + UpdaterFolder() + "Update.exe\"",
                                 workingFolder.empty() ? m_scratch.Path() : workingFolder));
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
        {"v1_7_60417", kUnnecessary, -1},   {"v1_0_41231", kUpdated, 0},    {"v1_2_50331", kUpdated, 2},
        {"v1_2_50401", kUnnecessary, -1},   {"v1_3_41231", kDifferent, -1}, {"two_commas", kUnnecessary, -1},
        {"six_digits_050331", kUpdated, 0}, {"no_version", kDifferent, -1}, {"no_file_version", kDifferent, -1},
    };
    for (const auto& [fixture, text, replacedBy] : cases) {
        SCOPED_TRACE(fixture);
        Install(fixture);
        std::string before = ReadAll(InstalledProgram());
        EXPECT_EQ(RunUpdater(), text);
        // Compared whole but not printed: the files are large.
        EXPECT_TRUE(ReadAll(InstalledProgram()) == (replacedBy < 0 ? before : ReadAll(DataFile(replacedBy))));
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
        {[&] { Register(InstalledProgram()), ::DeleteFileA(DataFile(0).c_str()); }, kFailed},
        // Held like a running program: others may read it, nobody may replace it.
        {[&] {
             ShipDataFile(0, "v1_0_50401");
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
    // A newer 1.0 build with 48 MB of data after its image.
    std::string large = ReadAll(m_fixtures + "v1_0_50401.dll");
    large.resize(48 * 1024 * 1024, '\0');
    std::mt19937 random(7);
    for (size_t i = 64 * 1024; i < large.size(); i += 4096)
        large[i] = static_cast<char>(random());
    WriteAll(DataFile(0), large);
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
    ::SetFileAttributesA(DataFile(0).c_str(), FILE_ATTRIBUTE_READONLY);
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

// What is swapped in must be a program of the installed line, no older than
// the installed one; anything else fails and changes nothing.
TEST_F(Updater, ADataFileThatIsNoNewerProgramOfTheInstalledLineFailsAndChangesNothing)
{
    Install("v1_0_41231");
    const std::string before = ReadAll(InstalledProgram());
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"empty", [&] { WriteAll(DataFile(0), ""); }},
        {"text", [&] { WriteAll(DataFile(0), "MZ but no program at all" + std::string(4096, 'x')); }},
        {"another minor version", [&] { ShipDataFile(0, "v1_2_50401"); }},
        {"an older build", [&] { ShipDataFile(0, "v1_0_41230"); }},
        {"no version resource", [&] { ShipDataFile(0, "no_version"); }},
    };
    for (const auto& [what, ship] : cases) {
        ship();
        EXPECT_EQ(RunUpdater(), kFailed) << what;
        EXPECT_TRUE(ReadAll(InstalledProgram()) == before) << what;
    }
}

TEST_F(Updater, AppPathsValuesAsWindowsWritesThemAndNoneThatNamesNoFile)
{
    ::SetEnvironmentVariableA("LUMBRA_TEST_ROOT", m_scratch.Path().c_str());
    // The value, its type, and the outcome for an installed old 1.0 build.
    const std::tuple<std::string, DWORD, const char*> cases[] = {
        {"\"" + InstalledProgram() + "\"", REG_SZ, kUpdated},
        {"%LUMBRA_TEST_ROOT%Program\\Lumbra.exe", REG_EXPAND_SZ, kUpdated},
        {"Program\\Lumbra.exe", REG_SZ, kNotInstalled}, // relative: found from the current folder
        {Installed(), REG_SZ, kNotInstalled},
        {Installed().substr(0, Installed().size() - 1), REG_SZ, kNotInstalled}, // a folder
        {Installed() + "*.exe", REG_SZ, kNotInstalled},
        {"", REG_SZ, kNotInstalled},
    };
    for (const auto& [value, type, outcome] : cases) {
        Install("v1_0_41231");
        const std::string before = ReadAll(InstalledProgram());
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
        WriteValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "", type, value + '\0');
        EXPECT_EQ(RunUpdater(), outcome) << value;
        EXPECT_EQ(ReadAll(InstalledProgram()) == before, outcome != kUpdated) << value;
    }
    ::SetEnvironmentVariableA("LUMBRA_TEST_ROOT", nullptr);
}

// With the system's own search order for libraries that are no known ones
// (Wine's override for VERSION.dll, native first), a library planted beside
// the updater or in the current folder is never loaded, and the update works.
TEST_F(Updater, ALibraryPlantedBesideItOrInTheCurrentFolderIsNeverLoaded)
{
    const char kOverrides[] = "Software\\Wine\\AppDefaults\\Update.exe\\DllOverrides";
    WriteValue(HKEY_CURRENT_USER, kOverrides, "version", REG_SZ, std::string("native,builtin") + '\0');
    const std::string planted = m_fixtures + "planted\\version.dll";
    ScratchFolder current{"lumbra_current"};
    for (const std::string& folder : {UpdaterFolder(), current.Path()}) {
        ASSERT_TRUE(CopyInto(planted, folder + "version.dll"));
        Install("v1_0_41231");
        EXPECT_EQ(RunUpdater(current.Path()), kUpdated) << folder;
        EXPECT_EQ(::GetFileAttributesA((folder + "version.dll.loaded").c_str()), INVALID_FILE_ATTRIBUTES) << folder;
        ::DeleteFileA((folder + "version.dll").c_str());
    }
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Update.exe");
}

// The updater asks to run elevated instead of being elevated by guess; both
// programs name the systems they were made for.
TEST(Manifests, UpdateAsksForAdministratorsTheMenuRunsAsItsUserAndBothListVistaToEleven)
{
    const std::pair<const char*, const char*> programs[] = {{"Update.exe", "requireAdministrator"},
                                                            {"Lumbra.exe", "asInvoker"}};
    for (const auto& [program, level] : programs) {
        fw::UniqueLibrary image(
            ::LoadLibraryExA((BuildFolder("bin") + program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(image) << program;
        HRSRC found = ::FindResourceA(image.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
        ASSERT_NE(found, nullptr) << program;
        const std::string manifest(static_cast<const char*>(::LockResource(::LoadResource(image.get(), found))),
                                   ::SizeofResource(image.get(), found));
        EXPECT_NE(manifest.find(std::string("level=\"") + level + "\""), std::string::npos) << program;
        for (const char* os : {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                               "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                               "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
            EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + os + "}\"/>"), std::string::npos)
                << program << " " << os;
    }
}
