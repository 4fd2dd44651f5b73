#include "AppRecord.h"

#include <cstring>

bool CAppRecord::IsListed() const
{
    std::int32_t listed = 0;
    std::memcpy(&listed, m_block.data() + offsetof(AppEntry, listed), sizeof listed);
    return listed == 1;
}
