#include "catalog/AppEntryRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace catalog;

namespace {
std::vector<unsigned char> ValidRecord(std::size_t size = LUMBRA_APPENTRY_SIZE)
{
    std::vector<unsigned char> block(size, 0);
    AppEntry entry{};
    entry.cbSize = LUMBRA_APPENTRY_SIZE;
    std::memcpy(entry.signature, "OP", 3);
    entry.version = 1;
    entry.listed = 1;
    std::strcpy(entry.name, "Photo[CR]Viewer");
    std::strcpy(entry.execButton, "Start");
    std::strcpy(entry.icon, "viewer.png");
    std::memcpy(block.data(), &entry, sizeof entry);
    return block;
}

void Fill(std::vector<unsigned char>& block, std::size_t offset, std::size_t count)
{
    std::memset(block.data() + offset, 'x', count);
    block[offset + count] = 0;
}
} // namespace

TEST(RecordAllocationSize, NeverBelowTheRecordAndNeverHuge)
{
    EXPECT_EQ(RecordAllocationSize(1200), 1200u);
    EXPECT_EQ(RecordAllocationSize(600), 1200u);
    EXPECT_EQ(RecordAllocationSize(1), 1200u);
    EXPECT_EQ(RecordAllocationSize(4096), 4096u);
    EXPECT_EQ(RecordAllocationSize(kMaxRecordSize), std::size_t(kMaxRecordSize));
    for (std::int32_t offersNothing : {0, -1, kMaxRecordSize + 1, INT32_MIN})
        EXPECT_FALSE(RecordAllocationSize(offersNothing).has_value()) << offersNothing;
}

TEST(ValidateRecord, KeepsAValidRecordAndItsTexts)
{
    auto block = ValidRecord();
    EXPECT_TRUE(ValidateRecord(block.data(), block.size()));
    EXPECT_EQ(ReadText(block.data(), block.size(), offsetof(AppEntry, name)), "Photo[CR]Viewer");
    EXPECT_EQ(ReadText(block.data(), block.size(), offsetof(AppEntry, icon)), "viewer.png");
}

TEST(ValidateRecord, ClearsListedWhenARuleFails)
{
    const struct {
        const char* what;
        void (*spoil)(std::vector<unsigned char>&);
    } cases[] = {
        {"version 2", [](std::vector<unsigned char>& b) { b[offsetof(AppEntry, version)] = 2; }},
        {"signature", [](std::vector<unsigned char>& b) { b[offsetof(AppEntry, signature) + 1] = 'Q'; }},
        {"signature without zero", [](std::vector<unsigned char>& b) { b[offsetof(AppEntry, signature) + 2] = 'X'; }},
        {"name of 101", [](std::vector<unsigned char>& b) { Fill(b, offsetof(AppEntry, name), 101); }},
        {"name of 100 running into infoText4",
         [](std::vector<unsigned char>& b) {
             Fill(b, offsetof(AppEntry, name), 100);
             Fill(b, offsetof(AppEntry, infoText4), 3);
         }},
        {"exec button of 101", [](std::vector<unsigned char>& b) { Fill(b, offsetof(AppEntry, execButton), 101); }},
        {"icon of 261", [](std::vector<unsigned char>& b) { Fill(b, offsetof(AppEntry, icon), 261); }},
        {"infoSwf of 261", [](std::vector<unsigned char>& b) { Fill(b, offsetof(AppEntry, infoSwf), 261); }},
        {"infoText1 of 101", [](std::vector<unsigned char>& b) { Fill(b, offsetof(AppEntry, infoText1), 101); }},
        {"text without any zero to the end",
         [](std::vector<unsigned char>& b) {
             std::memset(b.data() + offsetof(AppEntry, icon), 'y', b.size() - offsetof(AppEntry, icon));
         }},
    };
    for (const auto& c : cases) {
        auto block = ValidRecord();
        c.spoil(block);
        EXPECT_FALSE(ValidateRecord(block.data(), block.size())) << c.what;
        std::int32_t listed = -1;
        std::memcpy(&listed, block.data() + offsetof(AppEntry, listed), sizeof listed);
        EXPECT_EQ(listed, 0) << c.what;
    }
}

TEST(ValidateRecord, AcceptsTextsOfExactlyTheirLimit)
{
    auto block = ValidRecord();
    Fill(block, offsetof(AppEntry, name), 100); // its zero is infoText4's first byte
    Fill(block, offsetof(AppEntry, icon), 260); // its zero is reserved2's first byte
    EXPECT_TRUE(ValidateRecord(block.data(), block.size()));
    EXPECT_EQ(ReadText(block.data(), block.size(), offsetof(AppEntry, name)).size(), 100u);
}

TEST(ValidateRecord, KeepsThePluginsListedValueWhenValid)
{
    for (std::int32_t listed : {0, 2, -1}) {
        auto block = ValidRecord();
        std::memcpy(block.data() + offsetof(AppEntry, listed), &listed, sizeof listed);
        EXPECT_FALSE(ValidateRecord(block.data(), block.size()));
        std::int32_t after = 7;
        std::memcpy(&after, block.data() + offsetof(AppEntry, listed), sizeof after);
        EXPECT_EQ(after, listed);
    }
}

TEST(ReadText, StopsAtTheEndOfTheBlock)
{
    std::vector<unsigned char> block(1200, 'z');
    EXPECT_EQ(ReadText(block.data(), block.size(), 1190), "");
    EXPECT_FALSE(TextLength(block.data(), block.size(), 1190).has_value());
    EXPECT_FALSE(TextLength(block.data(), block.size(), 1200).has_value());
}
