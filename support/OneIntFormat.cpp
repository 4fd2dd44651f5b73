#include "OneIntFormat.h"

#include <cstdio>
#include <cstring>

namespace support {

namespace {
bool IsFlag(char c)
{
    return std::strchr("-+ #0", c) != nullptr && c != '\0';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::string FormatOneInt(const std::string& format, std::int32_t value)
{
    std::string out;
    bool used = false;
    std::size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // %[flags][width][.precision][l]conversion, integer conversions only.
        std::size_t j = i + 1;
        while (j < format.size() && IsFlag(format[j]))
            ++j;
        std::size_t widthStart = j;
        while (j < format.size() && IsDigit(format[j]) && j - widthStart < 3)
            ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            std::size_t precisionStart = j;
            while (j < format.size() && IsDigit(format[j]) && j - precisionStart < 3)
                ++j;
        }
        if (j < format.size() && format[j] == 'l')
            ++j;
        char conversion = j < format.size() ? format[j] : '\0';
        if (used || std::strchr("diuxXo", conversion) == nullptr || conversion == '\0') {
            out += c;
            ++i;
            continue;
        }
        std::string conversionText = format.substr(i, j - i);
        if (!conversionText.empty() && conversionText.back() == 'l')
            conversionText.pop_back();
        conversionText += conversion;
        // Width and precision have at most three digits: the longest result
        // is 999 digits with "0x" or a sign, which must not be cut.
        char buffer[1024];
        if (conversion == 'd' || conversion == 'i')
            std::snprintf(buffer, sizeof buffer, conversionText.c_str(), static_cast<int>(value));
        else
            std::snprintf(buffer, sizeof buffer, conversionText.c_str(), static_cast<unsigned>(value));
        out += buffer;
        used = true;
        i = j + 1;
    }
    return out;
}

} // namespace support
