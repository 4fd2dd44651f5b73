#include "catalog/AppEntryRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace catalog;

namespace {
using Block = std::vector<unsigned char>;

Block ValidRecord()
{
    Block block(LUMBRA_APPENTRY_SIZE, 0);
    AppEntry entry{};
    std::memcpy(entry.signature, "OP", 3);
    entry.version = 1;
    entry.listed = 1;
    std::strcpy(entry.name, "Photo[CR]Viewer");
    std::memcpy(block.data(), &entry, sizeof entry);
    return block;
}

const std::size_t kName = offsetof(AppEntry, name);
const std::size_t kInfoText4 = offsetof(AppEntry, infoText4);

// Fills a text field with `count` letters followed by a zero.
Block& Fill(Block& block, std::size_t offset, std::size_t count)
{
    std::memset(block.data() + offset, 'x', count);
    block[offset + count] = 0;
    return block;
}
} // namespace

TEST(RecordAllocationSize, NeverBelowTheRecordAndNeverHuge)
{
    const std::pair<std::int32_t, std::size_t> taken[] = {{1, 1200}, {600, 1200}, {1200, 1200}, {4096, 4096}};
    for (const auto& [size, allocation] : taken)
        EXPECT_EQ(RecordAllocationSize(size), allocation) << size;
    EXPECT_EQ(RecordAllocationSize(kMaxRecordSize), std::optional<std::size_t>(kMaxRecordSize));
    for (std::int32_t refused : {0, -1, kMaxRecordSize + 1, INT32_MIN})
        EXPECT_EQ(RecordAllocationSize(refused), std::nullopt) << refused;
}

TEST(ValidateRecord, ClearsListedWhenARuleFailsAndKeepsItOtherwise)
{
    // What is changed in a valid record, and `listed` after validation.
    const std::tuple<const char*, void (*)(Block&), std::int32_t> cases[] = {
        {"valid", [](Block&) {}, 1},
        {"texts at their limits", [](Block& b) { Fill(Fill(b, kName, 100), offsetof(AppEntry, icon), 260); }, 1},
        {"listed 2 kept", [](Block& b) { b[offsetof(AppEntry, listed)] = 2; }, 2},
        {"signature without zero", [](Block& b) { b[offsetof(AppEntry, signature) + 2] = 'X'; }, 0},
        {"name of 101", [](Block& b) { Fill(b, offsetof(AppEntry, name), 101); }, 0},
        {"name of 100 running into infoText4", [](Block& b) { Fill(Fill(b, kName, 100), kInfoText4, 3); }, 0},
        {"exec button of 101", [](Block& b) { Fill(b, offsetof(AppEntry, execButton), 101); }, 0},
        {"infoText1 of 101", [](Block& b) { Fill(b, offsetof(AppEntry, infoText1), 101); }, 0},
        {"infoSwf of 261", [](Block& b) { Fill(b, offsetof(AppEntry, infoSwf), 261); }, 0},
        {"no zero to the end",
         [](Block& b) { std::memset(&b[offsetof(AppEntry, icon)], 'y', b.size() - offsetof(AppEntry, icon)); }, 0},
    };
    // Nothing but `listed` changes.
    for (const auto& [what, change, listed] : cases) {
        Block block = ValidRecord();
        change(block);
        Block expected = block;
        std::memcpy(&expected[offsetof(AppEntry, listed)], &listed, sizeof listed);
        EXPECT_EQ(ValidateRecord(block.data(), block.size()), listed == 1) << what;
        EXPECT_TRUE(block == expected) << what; // compared whole but not printed: 1200 bytes
    }
}

TEST(ReadText, MeasuresTextsWithinTheBlockOnly)
{
    Block block = ValidRecord();
    EXPECT_EQ(ReadText(block.data(), block.size(), offsetof(AppEntry, name)), "Photo[CR]Viewer");
    Block unterminated(1200, 'z');
    EXPECT_EQ(ReadText(unterminated.data(), unterminated.size(), 1190), "");
    EXPECT_FALSE(TextLength(unterminated.data(), unterminated.size(), 1190).has_value());
    EXPECT_FALSE(TextLength(unterminated.data(), unterminated.size(), 1200).has_value());
}
