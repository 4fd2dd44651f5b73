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

} // namespace support
