// Byte-level text rules for the system's ANSI code page, where a lead byte
// starts a two-byte character whose second byte may look like ASCII.
#pragma once

#include <functional>
#include <string>

namespace support {

// Tells whether a byte starts a two-byte character in the current code page.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// Code page 932's lead bytes, for code that has no system to ask.
bool IsShiftJisLeadByte(unsigned char byte);

// Upper-cases ASCII letters, leaving the second byte of every two-byte
// character alone.
std::string UpperCaseMultiByte(const std::string& text, const LeadBytePredicate& isLeadByte);

// Where the file name of a path starts: after its last separator ('\\' or
// '/') that is no second byte of a two-byte character.
std::size_t FileNameStart(const std::string& path, const LeadBytePredicate& isLeadByte);

// Whether the text ends in a real backslash, not in a two-byte character
// whose second byte is 0x5C.
bool EndsInSeparator(const std::string& text, const LeadBytePredicate& isLeadByte);

} // namespace support
