// The running system's lead-byte rule, for the pure text rules that take a
// LeadBytePredicate.
#pragma once

namespace support {

// True when the byte starts a two-byte character in the ANSI code page.
bool IsSystemLeadByte(unsigned char byte);

} // namespace support
