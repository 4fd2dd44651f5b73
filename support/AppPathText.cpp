#include "AppPathText.h"

namespace support {

namespace {
enum class LastCharacter { kNone, kBackslash, kOther, kLoneLeadByte };

// Walks the text character by character: a byte 0x5C that is the second
// byte of a two-byte character is no separator.
LastCharacter ClassifyLastCharacter(const std::string& text, const LeadBytePredicate& isLeadByte)
{
    LastCharacter last = LastCharacter::kNone;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c)) {
            if (i + 1 == text.size())
                return LastCharacter::kLoneLeadByte;
            ++i;
            last = LastCharacter::kOther;
        } else {
            last = c == '\\' ? LastCharacter::kBackslash : LastCharacter::kOther;
        }
    }
    return last;
}
} // namespace

std::optional<std::string> NormalizeAppPathFolder(std::string value, const LeadBytePredicate& isLeadByte)
{
    if (!value.empty() && value.front() == '"')
        value.erase(0, 1);
    // A quote is never the second byte of a character: every code page's
    // second bytes are 0x40 or above.
    if (!value.empty() && value.back() == '"')
        value.pop_back();
    switch (ClassifyLastCharacter(value, isLeadByte)) {
    case LastCharacter::kLoneLeadByte:
        return std::nullopt;
    case LastCharacter::kOther:
        value.push_back('\\');
        break;
    case LastCharacter::kNone:
    case LastCharacter::kBackslash:
        break;
    }
    if (value.size() >= kMaxPathBytes)
        return std::nullopt;
    return value;
}

std::optional<std::string> JoinBounded(const std::string& folder, const std::string& fileName)
{
    if (folder.size() + fileName.size() >= kMaxPathBytes)
        return std::nullopt;
    return folder + fileName;
}

} // namespace support
