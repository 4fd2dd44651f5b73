#include "MultiByteText.h"

namespace support {

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string UpperCaseMultiByte(const std::string& text, const LeadBytePredicate& isLeadByte)
{
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(upper[i]);
        if (isLeadByte(c)) {
            ++i; // keep the trail byte as it is
            continue;
        }
        if (c >= 'a' && c <= 'z')
            upper[i] = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::size_t FileNameStart(const std::string& path, const LeadBytePredicate& isLeadByte)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(path[i])))
            ++i;
        else if (path[i] == '\\' || path[i] == '/')
            start = i + 1;
    }
    return start;
}

bool EndsInSeparator(const std::string& text, const LeadBytePredicate& isLeadByte)
{
    return !text.empty() && text.back() == '\\' && FileNameStart(text, isLeadByte) == text.size();
}

} // namespace support
