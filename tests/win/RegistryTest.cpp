// The registry helpers against Wine's real registry, in a scratch key.
#include "support/Registry.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const char kScratch[] = "Software\\LumbraTests\\Registry";
const char kMissingKey[] = "Software\\LumbraTests\\Registry\\Missing";

class RegistryHelpers : public testing::Test {
protected:
    void SetUp() override
    {
        testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kScratch);
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                                    nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        ::RegCloseKey(m_key);
        testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kScratch);
    }
    void SetRaw(const char* name, DWORD type, const std::vector<BYTE>& data)
    {
        ASSERT_EQ(::RegSetValueExA(m_key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    HKEY m_key = nullptr;
};
} // namespace

TEST_F(RegistryHelpers, ReadsGiveTheDefaultWhenKeyOrValueIsMissing)
{
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kMissingKey, "Sort", "fallback"), "fallback");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "Sort", ""), "");
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kMissingKey, "ExecWait", 1000), 1000u);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kScratch, "ExecWait", 1000), 1000u);
}

TEST_F(RegistryHelpers, StringsReadBackWithOrWithoutTerminator)
{
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        const char* expected;
    } cases[] = {
        {"terminated", REG_SZ, {'a', '/', 'b', '/', 0}, "a/b/"},
        {"unterminated", REG_SZ, {'a', '/', 'b', '/'}, "a/b/"},
        {"binary", REG_BINARY, {'x', 'y', 'z'}, "xyz"},
        {"embedded zero", REG_BINARY, {'x', 0, 'z'}, "x"},
        {"dword as text", REG_DWORD, {'a', 'b', 'c', 0}, "abc"},
        {"empty", REG_SZ, {}, ""},
    };
    for (const auto& c : cases) {
        SetRaw(c.name, c.type, c.data);
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, c.name, "default"), c.expected) << c.name;
    }
}

TEST_F(RegistryHelpers, DwordsAreTheRawBytesOfAtMostFourBytes)
{
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        DWORD expected;
    } cases[] = {
        {"dword", REG_DWORD, {0x01, 0x00, 0x00, 0x00}, 1},
        {"two bytes", REG_BINARY, {0x34, 0x12}, 0x1234},
        {"text as dword", REG_SZ, {'a', 'b', 0}, 0x006261},
        {"too long", REG_BINARY, {1, 2, 3, 4, 5}, 77},
        {"long text", REG_SZ, {'a', 'b', 'c', 'd', 0}, 77},
    };
    for (const auto& c : cases) {
        SetRaw(c.name, c.type, c.data);
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kScratch, c.name, 77), c.expected) << c.name;
    }
}

TEST_F(RegistryHelpers, WriteStringStoresTextThatReadsBack)
{
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kScratch, "LastUse", "Viewer.dll"));
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExA(m_key, "LastUse", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "LastUse", ""), "Viewer.dll");

    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kScratch, "LastUse", ""));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "LastUse", "default"), "");
}

TEST_F(RegistryHelpers, WriteDwordStoresFourBytes)
{
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, kScratch, "AutoRun", 2));
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(::RegQueryValueExA(m_key, "AutoRun", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 2u);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kScratch, "AutoRun", 0), 2u);
}

TEST_F(RegistryHelpers, WritesNeverCreateAKey)
{
    EXPECT_FALSE(RegWriteString(HKEY_CURRENT_USER, kMissingKey, "LastUse", "x.dll"));
    EXPECT_FALSE(RegWriteDword(HKEY_CURRENT_USER, kMissingKey, "AutoRun", 1));
    EXPECT_FALSE(testing_support::RegistryKeyExists(HKEY_CURRENT_USER, kMissingKey));
}

TEST_F(RegistryHelpers, ALongValueReadsWhole)
{
    std::string text(5000, 'q');
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kScratch, "Sort", text));
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "Sort", ""), text);
}
