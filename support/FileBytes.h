// Whole small files read with the system's file functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace support {

// The file's bytes; nothing when it cannot be opened or read, or when it is
// larger than maxBytes (so a stray huge file costs no memory).
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes);

} // namespace support
