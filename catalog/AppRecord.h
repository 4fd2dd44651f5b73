// One application record as a plug-in filled it: a block of at least 1200
// bytes owned by the caller of LoadEntry, with bounded access to its texts.
#pragma once

#include "AppEntryRules.h"

#include <vector>

class CAppRecord {
public:
    explicit CAppRecord(std::size_t size) : m_block(size, 0) {}

    unsigned char* Data() { return m_block.data(); }
    std::size_t Size() const { return m_block.size(); }

    bool IsListed() const;
    std::string Name() const { return Text(offsetof(AppEntry, name)); }
    std::string ExecButton() const { return Text(offsetof(AppEntry, execButton)); }
    std::string InfoSwf() const { return Text(offsetof(AppEntry, infoSwf)); }
    std::string Icon() const { return Text(offsetof(AppEntry, icon)); }

private:
    std::string Text(std::size_t offset) const { return catalog::ReadText(m_block.data(), m_block.size(), offset); }

    std::vector<unsigned char> m_block;
};
