// The one-integer format of message texts for any text from the resource
// library. The formatter's calls into snprintf are routed here (the link
// wraps snprintf), where glibc's own format parser confirms that each takes
// exactly one int and that the number is never cut. Input: four bytes of
// value, then the format.
#include "support/OneIntFormat.h"

#include <printf.h>

#include <cassert>
#include <cstdarg>
#include <cstring>

namespace {
int g_calls = 0;

// The text as copied literally: "%%" is one percent sign.
std::string Literal(const std::string& format)
{
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        text += format[i];
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%')
            ++i;
    }
    return text;
}
} // namespace

extern "C" int __wrap_snprintf(char* buffer, std::size_t size, const char* format, ...)
{
    int types[4] = {};
    assert(parse_printf_format(format, 4, types) == 1 && types[0] == PA_INT);
    ++g_calls;
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, size, format, arguments);
    va_end(arguments);
    assert(length >= 0 && std::size_t(length) < size);
    return length;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::int32_t value;
    std::memcpy(&value, data, sizeof value);
    std::string format(reinterpret_cast<const char*>(data) + 4, size - 4);
    g_calls = 0;
    std::string text = support::FormatOneInt(format, value);
    assert(g_calls <= 1);
    if (g_calls == 0)
        assert(text == Literal(format));
    if (format.find('%') == std::string::npos)
        assert(text == format);
    return 0;
}
