#include "AppEntryRules.h"

#include <cstring>

namespace catalog {

namespace {
struct TextLimit {
    std::size_t offset;
    std::size_t maxLength;
};

const TextLimit kTextLimits[] = {
    {offsetof(AppEntry, infoText1), 100}, {offsetof(AppEntry, infoText2), 100}, {offsetof(AppEntry, infoText3), 100},
    {offsetof(AppEntry, name), 100},      {offsetof(AppEntry, infoText4), 100}, {offsetof(AppEntry, execButton), 100},
    {offsetof(AppEntry, icon), 260},      {offsetof(AppEntry, infoSwf), 260},
};

void SetListed(unsigned char* block, std::int32_t value)
{
    std::memcpy(block + offsetof(AppEntry, listed), &value, sizeof value);
}
} // namespace

std::optional<std::size_t> RecordAllocationSize(std::int32_t reportedSize)
{
    if (reportedSize <= 0 || reportedSize > kMaxRecordSize)
        return std::nullopt;
    std::size_t size = static_cast<std::size_t>(reportedSize);
    return size < LUMBRA_APPENTRY_SIZE ? static_cast<std::size_t>(LUMBRA_APPENTRY_SIZE) : size;
}

std::optional<std::size_t> TextLength(const unsigned char* block, std::size_t blockSize, std::size_t offset)
{
    if (offset >= blockSize)
        return std::nullopt;
    const void* zero = std::memchr(block + offset, 0, blockSize - offset);
    if (!zero)
        return std::nullopt;
    return static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - (block + offset));
}

bool ValidateRecord(unsigned char* block, std::size_t blockSize)
{
    if (blockSize < LUMBRA_APPENTRY_SIZE)
        return false;
    bool valid = block[offsetof(AppEntry, version)] == LUMBRA_APPENTRY_VERSION &&
                 std::memcmp(block + offsetof(AppEntry, signature), "OP", 3) == 0;
    for (const TextLimit& limit : kTextLimits) {
        std::optional<std::size_t> length = TextLength(block, blockSize, limit.offset);
        if (!length || *length > limit.maxLength)
            valid = false;
    }
    if (!valid)
        SetListed(block, 0);
    std::int32_t listed = 0;
    std::memcpy(&listed, block + offsetof(AppEntry, listed), sizeof listed);
    return listed == 1;
}

std::string ReadText(const unsigned char* block, std::size_t blockSize, std::size_t offset)
{
    std::optional<std::size_t> length = TextLength(block, blockSize, offset);
    if (!length)
        return std::string();
    return std::string(reinterpret_cast<const char*>(block + offset), *length);
}

} // namespace catalog
