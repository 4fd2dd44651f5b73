// Rules of the main window that need no window: the repeat-start guard and
// where the menu document goes.
#pragma once

#include "support/MultiByteText.h"

#include <cstdint>
#include <optional>
#include <string>

namespace shell {

extern const char kImportInputEntry[];

// The guard interval for an entry: the import input plug-in gets 5000 ms,
// recognised in any letter case; every other entry the configured wait.
std::uint32_t RepeatGuardInterval(const std::string& entryId, std::uint32_t execWait,
                                  const support::LeadBytePredicate& isLeadByte);

// True when a start of `entryId` at `now` repeats the last attempt within the
// interval. Ticks wrap after about 49.7 days: the difference is taken modulo
// 2^32. The repeat comparison keeps the letter case.
bool IsGuardedRepeat(const std::string& entryId, const std::string& lastEntryId, std::uint32_t now,
                     std::uint32_t lastTick, std::uint32_t interval);

// The document's path in the temporary folder the system named, with one
// separator before the name (a folder may end in a two-byte character whose
// second byte is 0x5C, which separates nothing), or nothing
// when that folder cannot hold it: no folder, one that is not an absolute
// path (the root of the current drive would take its place), or a path too
// long for the system's file functions.
std::optional<std::string> TempDocumentPath(const std::string& folder, const std::string& name,
                                            const support::LeadBytePredicate& isLeadByte);

} // namespace shell
