#include "ReplacementRules.h"

#include <cstring>

namespace updater {

namespace {
unsigned Little(const unsigned char* bytes, std::size_t width)
{
    unsigned value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
} // namespace

std::string_view InstalledPathText(std::string_view value, LeadBytePredicate isLeadByte)
{
    if (!value.empty() && value.front() == '"') {
        value.remove_prefix(1);
        if (!value.empty() && value.back() == '"')
            value.remove_suffix(1);
    }
    const bool drive = value.size() > 3 && IsLetter(value[0]) && value[1] == ':' && value[2] == '\\';
    const bool share = value.size() > 4 && value[0] == '\\' && value[1] == '\\' && value[2] != '\\';
    if (!drive && !share)
        return std::string_view();
    // No byte of these is a second byte of any two-byte character, so each
    // counts wherever it stands.
    for (char c : value)
        if (c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|' ||
            static_cast<unsigned char>(c) < 0x20)
            return std::string_view();
    bool endsInSeparator = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        endsInSeparator = value[i] == '\\' || value[i] == '/';
        if (isLeadByte(static_cast<unsigned char>(value[i])) && i + 1 < value.size()) {
            ++i;
            endsInSeparator = false;
        }
    }
    return endsInSeparator ? std::string_view() : value;
}

bool IsProgramImage(const unsigned char* bytes, std::size_t size)
{
    if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z')
        return false;
    const std::size_t pe = Little(bytes + 0x3C, 4);
    // The signature, the file header (20 bytes) and the optional header's
    // magic must all be there.
    if (pe > size || size - pe < 4 + 20 + 2 || std::memcmp(bytes + pe, "PE\0\0", 4) != 0)
        return false;
    const unsigned characteristics = Little(bytes + pe + 4 + 18, 2);
    const unsigned optionalSize = Little(bytes + pe + 4 + 16, 2);
    const unsigned magic = Little(bytes + pe + 4 + 20, 2);
    const unsigned kExecutableImage = 0x0002;
    return (characteristics & kExecutableImage) && optionalSize >= 2 && (magic == 0x10B || magic == 0x20B);
}

bool IsReplacementFor(const VersionFields& installed, const VersionFields& replacement)
{
    return replacement.major.View() == kAcceptedMajor && replacement.minor.View() == installed.minor.View() &&
           replacement.build.length == 6 && !IsOlderBuild(replacement.build.View(), installed.build.View());
}

} // namespace updater
