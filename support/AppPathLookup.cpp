#include "AppPathLookup.h"

#include "AppPathText.h"
#include "framework/SystemLeadByte.h"
#include "framework/Handle.h"

#include <cstring>

namespace {
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
}

CAppPathLookup::CAppPathLookup(const char* programFileName)
{
    std::string subKey = std::string(kAppPathsKey) + programFileName;
    fw::UniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS)
        return;
    char buffer[support::kMaxPathBytes] = {};
    DWORD size = sizeof buffer;
    if (::RegQueryValueExA(key.get(), "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return;
    size_t length = strnlen(buffer, size < sizeof buffer ? size : sizeof buffer);
    m_folder = support::NormalizeAppPathFolder(std::string(buffer, length), fw::IsSystemLeadByte);
}

std::optional<std::string> CAppPathLookup::Join(const char* fileName)
{
    if (!m_folder)
        return std::nullopt;
    std::optional<std::string> joined = support::JoinBounded(*m_folder, fileName);
    if (joined)
        m_joined = *joined;
    return joined;
}
