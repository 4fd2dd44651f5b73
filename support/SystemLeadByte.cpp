#include "SystemLeadByte.h"

#include <windows.h>

namespace support {

bool IsSystemLeadByte(unsigned char byte)
{
    return ::IsDBCSLeadByte(byte) != FALSE;
}

} // namespace support
