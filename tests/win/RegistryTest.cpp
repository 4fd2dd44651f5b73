// The registry helpers against Wine's real registry, in a scratch key.
#include "support/Registry.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

using testing_support::WriteValue;

namespace {
const char kScratch[] = "Software\\LumbraTests\\Registry";
const char kMissing[] = "Software\\LumbraTests\\Registry\\Missing";

struct RegistryHelpers : testing::Test {
    void SetUp() override
    {
        testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kScratch);
        WriteValue(HKEY_CURRENT_USER, kScratch, "Present", REG_SZ, std::string("x", 2));
    }
    void TearDown() override { testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kScratch); }

    // A value as stored: its type and its bytes.
    static std::pair<DWORD, std::string> Stored(const char* name)
    {
        fw::UniqueRegKey key;
        ::RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_READ, key.receive());
        char data[64] = {};
        DWORD type = 0, size = sizeof data;
        ::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        return {type, std::string(data, size)};
    }
};
} // namespace

TEST_F(RegistryHelpers, AnyValueReadsAsTextUpToItsFirstZeroOrAsFourRawBytesAndNoneAsTheDefault)
{
    for (const char* key : {kMissing, kScratch}) {
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, "Sort", "fallback"), "fallback");
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, key, "ExecWait", 1000), 1000u);
    }
    // A value as stored, its text (null: its bytes) and its number (77, the
    // default: the data does not fit in four bytes).
    const std::tuple<DWORD, std::string, const char*, DWORD> cases[] = {
        {REG_SZ, std::string("a/b/", 5), "a/b/", 77},
        {REG_SZ, "a/b/", "a/b/", 0x2F622F61},
        {REG_SZ, std::string(), "", 0},
        {REG_BINARY, "xyz", "xyz", 0x7A7978},
        {REG_BINARY, std::string("x\0z", 3), "x", 0x7A0078},
        {REG_DWORD, std::string("\x01\x00\x00\x00", 4), "\x01", 1},
        {REG_BINARY, "\x34\x12", "\x34\x12", 0x1234},
        {REG_BINARY, "12345", "12345", 77},
        {REG_SZ, std::string(5000, 'q'), nullptr, 77},
    };
    for (const auto& [type, data, text, number] : cases) {
        WriteValue(HKEY_CURRENT_USER, kScratch, "Value", type, data);
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "Value", "default"), text ? std::string(text) : data);
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kScratch, "Value", 77), number) << data;
    }
}

TEST_F(RegistryHelpers, WritesStoreTextWithoutItsTerminatorAndNeverCreateAKey)
{
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kScratch, "LastUse", "Viewer.dll"));
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kScratch, "NoUse", ""));
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, kScratch, "AutoRun", 2));
    // The count excludes the terminator: an empty text stores no byte. The
    // system itself adds the zero after a text whose next byte is one, as
    // Windows does, so readers elsewhere see an ordinary text.
    EXPECT_EQ(Stored("NoUse"), std::make_pair(DWORD(REG_SZ), std::string()));
    EXPECT_EQ(Stored("LastUse"), std::make_pair(DWORD(REG_SZ), std::string("Viewer.dll", 11)));
    EXPECT_EQ(Stored("AutoRun"), std::make_pair(DWORD(REG_DWORD), std::string("\x02\x00\x00\x00", 4)));

    EXPECT_FALSE(RegWriteString(HKEY_CURRENT_USER, kMissing, "LastUse", "x.dll"));
    EXPECT_FALSE(RegWriteDword(HKEY_CURRENT_USER, kMissing, "AutoRun", 1));
    EXPECT_FALSE(testing_support::RegistryKeyExists(HKEY_CURRENT_USER, kMissing));
}
