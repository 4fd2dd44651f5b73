// The system's lead-byte rule for its ANSI code page, in the form the pure
// text rules take it. Header-only, so the updater can use it as well.
#pragma once

#include <windows.h>

namespace fw {

inline bool IsSystemLeadByte(unsigned char byte)
{
    return ::IsDBCSLeadByte(byte) != FALSE;
}

} // namespace fw
