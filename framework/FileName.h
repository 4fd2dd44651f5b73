// File name arithmetic that the framework needs without touching the system.
#pragma once

#include <string>

namespace fw {

// "C:\Program Files\Lumbra.exe" -> "Lumbra"; both separators are accepted and
// only the last dot of the file name starts the extension.
std::string BaseNameWithoutExtension(const std::string& path);

// "C:\Program Files\Lumbra.exe" -> "C:\Program Files\"; empty for a bare name.
std::string FolderOf(const std::string& path);

} // namespace fw
