// The App Paths folder rules for any "Path" value: the folder fits, ends in
// a real separator (never the second byte of a two-byte character), differs
// from the value only by one pair of quotes and that separator, and joins
// within the path limit. Input: one byte (bit 0: code page 932, else 1252),
// then the value.
#include "support/AppPathText.h"

#include <cassert>

namespace {
bool EndsInSeparator(const std::string& text, const support::LeadBytePredicate& isLeadByte)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
        last = i;
    return !text.empty() && last + 1 == text.size() && text.back() == '\\';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const support::LeadBytePredicate isLeadByte = [japanese = data[0] & 1](unsigned char c) {
        return japanese && support::IsShiftJisLeadByte(c);
    };
    std::string value(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::optional<std::string> folder = support::NormalizeAppPathFolder(value, isLeadByte);

    std::string unquoted = value;
    if (!unquoted.empty() && unquoted.front() == '"')
        unquoted.erase(0, 1);
    if (!unquoted.empty() && unquoted.back() == '"')
        unquoted.pop_back();
    if (folder) {
        assert(folder->size() < support::kMaxPathBytes);
        assert(*folder == unquoted || *folder == unquoted + "\\");
        assert(folder->empty() == unquoted.empty());
        assert(folder->empty() || EndsInSeparator(*folder, isLeadByte));
        if (folder->empty() || folder->front() != '"')
            assert(support::NormalizeAppPathFolder(*folder, isLeadByte) == folder);
    } else {
        // Refused only when too long or when a separator would pair with a lead byte.
        assert(unquoted.size() + 1 >= support::kMaxPathBytes || !EndsInSeparator(unquoted + "\\", isLeadByte));
    }

    std::string fileName = value.substr(0, value.size() / 3);
    std::optional<std::string> joined = support::JoinBounded(folder.value_or(value), fileName);
    assert(joined.has_value() == (folder.value_or(value).size() + fileName.size() < support::kMaxPathBytes));
    assert(!joined || *joined == folder.value_or(value) + fileName);
    return 0;
}
