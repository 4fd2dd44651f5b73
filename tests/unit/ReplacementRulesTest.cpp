#include "support/MultiByteText.h"
#include "updater/ReplacementRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace updater;

TEST(InstalledPathText, TakesAbsolutePathsToFilesAsWindowsWritesThem)
{
    // The value as stored, and the installed path it gives (empty: not installed).
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Orva\\Lumbra.exe", "C:\\Program Files\\Orva\\Lumbra.exe"},
        {"\"C:\\Program Files\\Orva\\Lumbra.exe\"", "C:\\Program Files\\Orva\\Lumbra.exe"},
        {"\"C:\\Orva\\Lumbra.exe", "C:\\Orva\\Lumbra.exe"},
        {"\\\\server\\share\\Lumbra.exe", "\\\\server\\share\\Lumbra.exe"},
        {"C:\\\x83\x5C", "C:\\\x83\x5C"}, // a file whose name ends in a character with 0x5C
        {"", ""},
        {"\"\"", ""},
        {"Lumbra.exe", ""},
        {"Orva\\Lumbra.exe", ""},
        {"\\Orva\\Lumbra.exe", ""},
        {"C:Lumbra.exe", ""},
        {"C:\\Program Files\\Orva\\", ""}, // a folder
        {"C:\\", ""},
        {"C:\\Orva\\*.exe", ""},
        {"C:\\Orva\\Lumbra?.exe", ""},
        {"C:\\Orva\\\x82*.exe", ""}, // no second byte of a character is a pattern
        {"C:\\Orva\\Lum\"bra.exe", ""},
        {"\\\\\\server\\Lumbra.exe", ""},
    };
    for (const auto& [value, path] : cases)
        EXPECT_EQ(InstalledPathText(value, support::IsShiftJisLeadByte), path) << value;
}

TEST(IsProgramImage, WantsTheMzHeaderAndAnExecutablePeImageWithinTheBytesRead)
{
    // A minimal image: MZ, the PE offset at 0x3C, PE signature, file header
    // (characteristics at +18, optional header size at +16), optional magic.
    auto image = [](unsigned offset, unsigned characteristics, unsigned magic) {
        std::vector<unsigned char> bytes(offset + 4 + 20 + 2, 0);
        bytes[0] = 'M', bytes[1] = 'Z';
        std::memcpy(&bytes[0x3C], &offset, 4);
        std::memcpy(&bytes[offset], "PE\0\0", 4);
        bytes[offset + 4 + 16] = 0xE0;
        bytes[offset + 4 + 18] = static_cast<unsigned char>(characteristics);
        bytes[offset + 4 + 20] = static_cast<unsigned char>(magic), bytes[offset + 4 + 21] = magic >> 8;
        return bytes;
    };
    const std::tuple<std::vector<unsigned char>, bool> cases[] = {
        {image(0x80, 0x0102, 0x10B), true},  // 32-bit program
        {image(0xF8, 0x2022, 0x20B), true},  // 64-bit library: an image too
        {image(0x80, 0x0100, 0x10B), false}, // not executable
        {image(0x80, 0x0102, 0x107), false}, // a ROM header
        {std::vector<unsigned char>(4096, 'A'), false},
        {std::vector<unsigned char>(), false},
    };
    for (const auto& [bytes, accepted] : cases)
        EXPECT_EQ(IsProgramImage(bytes.data(), bytes.size()), accepted) << bytes.size();
    std::vector<unsigned char> cut = image(0x80, 0x0102, 0x10B);
    EXPECT_FALSE(IsProgramImage(cut.data(), cut.size() - 1)) << "the magic is past the bytes read";
    std::vector<unsigned char> far = image(0x80, 0x0102, 0x10B);
    const unsigned beyond = 0xFFFFFFF0;
    std::memcpy(&far[0x3C], &beyond, 4);
    EXPECT_FALSE(IsProgramImage(far.data(), far.size()));
}

TEST(IsReplacementFor, WantsMajorOneTheInstalledMinorAndNoOlderBuild)
{
    auto fields = [](const char* version) { return SplitVersionFields(version, [](unsigned char) { return false; }); };
    const VersionFields installed = fields("1, 0, 41231, 1");
    const std::pair<const char*, bool> cases[] = {
        {"1, 0, 50401, 1", true},  {"1, 0, 41231, 2", true}, // the same build again does no harm
        {"1, 0, 41230, 1", false}, {"1, 2, 50401, 1", false}, {"2, 0, 50401, 1", false},
        {"1, 0, 1231, 1", false},  {"1, 0", false},           {"", false},
    };
    for (const auto& [version, accepted] : cases)
        EXPECT_EQ(IsReplacementFor(installed, fields(version)), accepted) << version;
}
