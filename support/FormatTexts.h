// printf-style "%s" formatting of a message text from the resource library,
// a file outside the program: only "%s" takes an argument, in order, and
// "%%" is a percent sign. Every other conversion, and a "%s" beyond the
// arguments given, is copied as it stands, so no text can make the program
// read an argument that is not there.
#pragma once

#include <string>
#include <vector>

namespace support {

std::string FormatTexts(const std::string& format, const std::vector<std::string>& texts);

} // namespace support
