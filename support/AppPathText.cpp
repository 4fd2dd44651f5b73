#include "AppPathText.h"

namespace support {

std::optional<std::string> NormalizeAppPathFolder(std::string value)
{
    if (!value.empty() && value.front() == '"')
        value.erase(0, 1);
    if (!value.empty() && value.back() == '"')
        value.pop_back();
    if (!value.empty() && value.back() != '\\')
        value.push_back('\\');
    if (value.size() >= kMaxPathBytes)
        return std::nullopt;
    return value;
}

std::optional<std::string> JoinBounded(const std::string& folder, const std::string& fileName)
{
    if (folder.size() + fileName.size() >= kMaxPathBytes)
        return std::nullopt;
    return folder + fileName;
}

} // namespace support
