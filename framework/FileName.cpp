#include "FileName.h"

namespace fw {

std::string BaseNameWithoutExtension(const std::string& path)
{
    std::string::size_type start = path.find_last_of("\\/:");
    std::string name = start == std::string::npos ? path : path.substr(start + 1);
    std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::string FolderOf(const std::string& path)
{
    std::string::size_type separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

} // namespace fw
