// What the updater accepts, apart from files and the registry: an installed
// path as Windows writes it into App Paths, and a data file that may replace
// the installed program. Views and fixed buffers only, like the version
// rules: Update.exe links none of the C++ library's run-time parts.
#pragma once

#include "VersionRules.h"

#include <cstddef>
#include <string_view>

namespace updater {

// The App Paths text of the installed program without one pair of
// surrounding double quotes; empty unless it names a file by an absolute
// path ("C:\..." or "\\server\share\..."), without wildcards, and does not
// end in a separator (a folder). A second byte of a two-byte character that
// looks like a backslash separates nothing.
std::string_view InstalledPathText(std::string_view value, LeadBytePredicate isLeadByte);

// Whether the first bytes of a file are those of a Windows program image:
// the MZ header, the PE signature it points to, an executable image and a
// 32- or 64-bit optional header, all within the bytes given.
bool IsProgramImage(const unsigned char* bytes, std::size_t size);

// Whether a data file of these version fields may replace the installed
// program: major version 1, the installed program's own minor version, and
// a build date that is not earlier than the installed one.
bool IsReplacementFor(const VersionFields& installed, const VersionFields& replacement);

} // namespace updater
