#include "FormatTexts.h"

namespace support {

std::string FormatTexts(const std::string& format, const std::vector<std::string>& texts)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char following = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && following == '%') {
            out += '%';
            ++i;
        } else if (c == '%' && following == 's' && next < texts.size()) {
            out += texts[next++];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace support
