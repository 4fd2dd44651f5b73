// Text rules of the App Paths lookup, kept apart from the registry access.
#pragma once

#include <optional>
#include <string>

namespace support {

// Longest path the lookup handles, terminating zero included.
constexpr std::size_t kMaxPathBytes = 260;

// Drops one leading double quote and then one trailing double quote, and
// makes a non-empty folder end in a backslash. "D:\Tools\Copy" in quotes
// gives D:\Tools\Copy\ ; an empty value stays empty. Nothing when the result
// would not fit in kMaxPathBytes.
std::optional<std::string> NormalizeAppPathFolder(std::string value);

// folder + fileName, or nothing when the joined path would not fit in
// kMaxPathBytes.
std::optional<std::string> JoinBounded(const std::string& folder, const std::string& fileName);

} // namespace support
