#include "GuardedBlock.h"

#include <windows.h>

#include <cstdint>

namespace {
std::size_t PageSize()
{
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.dwPageSize;
}
} // namespace

CGuardedBlock::CGuardedBlock(std::size_t size)
{
    const std::size_t page = PageSize();
    if (size == 0 || size > SIZE_MAX - 3 * page)
        return;
    // One no-access page on each side of the pages that hold the block; the
    // block ends where the pages end. Its start keeps the alignment of the
    // size, 16 bytes for every record size that is a multiple of 16.
    const std::size_t dataPages = (size + page - 1) / page;
    const std::size_t total = (dataPages + 2) * page;
    auto* region = static_cast<unsigned char*>(::VirtualAlloc(nullptr, total, MEM_RESERVE, PAGE_NOACCESS));
    if (!region)
        return;
    if (!::VirtualAlloc(region + page, dataPages * page, MEM_COMMIT, PAGE_READWRITE)) {
        ::VirtualFree(region, 0, MEM_RELEASE);
        return;
    }
    m_pRegion = region;
    m_pData = region + page + dataPages * page - size; // committed pages are zero
    m_nSize = size;
}

CGuardedBlock::~CGuardedBlock()
{
    if (m_pRegion)
        ::VirtualFree(m_pRegion, 0, MEM_RELEASE);
}
