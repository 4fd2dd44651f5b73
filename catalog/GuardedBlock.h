// A zero-filled block of memory for a plug-in to write into, fenced by
// no-access pages: its last byte is the last byte of a page and the next page
// cannot be touched, so a plug-in that writes past the size it asked for
// faults inside its own call instead of corrupting the menu's heap. The
// pages are given back when the block goes, so a late write faults too.
#pragma once

#include <cstddef>

class CGuardedBlock {
public:
    explicit CGuardedBlock(std::size_t size);
    ~CGuardedBlock();
    CGuardedBlock(const CGuardedBlock&) = delete;
    CGuardedBlock& operator=(const CGuardedBlock&) = delete;

    // Null when the memory could not be had.
    unsigned char* Data() const { return m_pData; }
    std::size_t Size() const { return m_nSize; }

private:
    void* m_pRegion = nullptr;
    unsigned char* m_pData = nullptr;
    std::size_t m_nSize = 0;
};
