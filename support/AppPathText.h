// Text rules of the App Paths lookup, kept apart from the registry access.
// Folder texts are in the system's ANSI code page, where the second byte of a
// two-byte character may be 0x5C, the backslash.
#pragma once

#include "MultiByteText.h"

#include <optional>
#include <string>

namespace support {

// Longest path the lookup handles, terminating zero included.
constexpr std::size_t kMaxPathBytes = 260;

// Drops one leading double quote and then one trailing double quote, and
// makes a non-empty folder end in a backslash character. "D:\Tools\Copy" in
// quotes gives D:\Tools\Copy\ ; an empty value stays empty. Nothing when the
// result would not fit in kMaxPathBytes, or when the folder ends in a lead
// byte without its second byte (no separator could follow it safely).
std::optional<std::string> NormalizeAppPathFolder(std::string value, const LeadBytePredicate& isLeadByte);

// folder + fileName, or nothing when the joined path would not fit in
// kMaxPathBytes.
std::optional<std::string> JoinBounded(const std::string& folder, const std::string& fileName);

} // namespace support
