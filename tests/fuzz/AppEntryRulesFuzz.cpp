// Record validation on any block a plug-in may fill: the rules decide as
// written, only `listed` ever changes, and no text of an offered record
// reaches past its limit. The block has exactly the input's size, so the
// sanitizer sees every read beyond it.
#include "catalog/AppEntryRules.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <vector>

namespace {
// The text fields' offsets and longest texts.
const std::pair<std::size_t, std::size_t> kFields[] = {{8, 100},   {108, 100}, {208, 100}, {316, 100},
                                                       {416, 100}, {516, 100}, {616, 260}, {876, 260}};
const std::size_t kListed = 312;

std::int32_t Int32At(const unsigned char* bytes)
{
    std::int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 4) {
        std::int32_t reported = Int32At(data);
        auto allocation = catalog::RecordAllocationSize(reported);
        assert(allocation.has_value() == (reported > 0 && reported <= catalog::kMaxRecordSize));
        assert(!allocation || (*allocation >= LUMBRA_APPENTRY_SIZE && *allocation >= std::size_t(reported)));
    }
    std::vector<unsigned char> block(data, data + size);
    bool offered = catalog::ValidateRecord(block.data(), block.size());
    if (size < LUMBRA_APPENTRY_SIZE) {
        assert(!offered && std::equal(block.begin(), block.end(), data));
        return 0;
    }
    bool valid = data[7] == LUMBRA_APPENTRY_VERSION && std::memcmp(data + 4, "OP", 3) == 0;
    for (auto [offset, limit] : kFields)
        valid = valid && std::memchr(data + offset, 0, limit + 1) != nullptr;
    assert(Int32At(block.data() + kListed) == (valid ? Int32At(data + kListed) : 0));
    assert(offered == (Int32At(block.data() + kListed) == 1));
    assert(std::memcmp(block.data(), data, kListed) == 0);
    assert(std::memcmp(block.data() + kListed + 4, data + kListed + 4, size - kListed - 4) == 0);
    for (auto [offset, limit] : kFields) {
        // Up to the first zero of the validated block; empty when the block ends first.
        const unsigned char* start = block.data() + offset;
        const void* zero = std::memchr(start, 0, size - offset);
        std::size_t length = zero ? static_cast<const unsigned char*>(zero) - start : 0;
        std::string text = catalog::ReadText(block.data(), block.size(), offset);
        assert(text == std::string(reinterpret_cast<const char*>(start), length));
        assert(!offered || text.size() <= limit);
    }
    assert(!catalog::TextLength(block.data(), block.size(), block.size()).has_value());
    return 0;
}
