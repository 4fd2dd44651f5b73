// printf-style formatting of a message text with exactly one 32-bit integer.
// The texts come from the resource library, a file outside the program, so
// the format is not trusted: only integer conversions consume the argument,
// and anything else (%s, %n, a second conversion) is copied literally.
#pragma once

#include <cstdint>
#include <string>

namespace support {

std::string FormatOneInt(const std::string& format, std::int32_t value);

} // namespace support
