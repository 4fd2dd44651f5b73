// The stored form of what the menu remembers about plug-in calls, in the
// menu's own registry key:
// - the call journal: the one call into a plug-in that is running now, or
//   nothing; a record left behind at start means that call ended or froze
//   the menu. "purpose<TAB>path<TAB>size<TAB>write time<TAB>name".
// - the set-aside libraries: one "path<TAB>size<TAB>write time" per line.
// - the display names of good records seen: one "path<TAB>name" per line.
// A library is named by its full path and told apart from a changed file by
// its size and last-write time. Paths hold no tab or line break; names may
// hold anything, so their control characters are stored as blanks. Lines
// that do not read back are skipped, so a damaged value costs its entries,
// never the menu.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace catalog {

struct LibraryIdentity {
    std::string path;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0; // a FILETIME as one number

    bool operator==(const LibraryIdentity& other) const
    {
        return path == other.path && size == other.size && writeTime == other.writeTime;
    }
};

struct JournalRecord {
    std::string purpose; // "GetInfo", "Exec", "Prepare" or "CopyTool"
    LibraryIdentity library;
    std::string name; // display name when one was ever seen, else empty
};

std::string EncodeJournal(const JournalRecord& record);
std::optional<JournalRecord> DecodeJournal(const std::string& text);

std::string EncodeIdentities(const std::vector<LibraryIdentity>& libraries);
std::vector<LibraryIdentity> DecodeIdentities(const std::string& text);

using NameMap = std::map<std::string, std::string>; // path -> display name
std::string EncodeNames(const NameMap& names);
NameMap DecodeNames(const std::string& text);

} // namespace catalog
