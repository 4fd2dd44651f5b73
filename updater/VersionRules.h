// The updater's decision rules, apart from files and the registry: how the
// installed program's "FileVersion" text splits into fields, which data file
// belongs to a minor version, and when a build date counts as older.
// Update.exe links none of the C++ library's run-time parts (strings,
// containers, exceptions) to stay small: the rules work on views and on
// fixed buffers only.
#pragma once

#include "UpdateIds.h"

#include <cstddef>
#include <string_view>

namespace updater {

// Tells whether a byte starts a two-byte character in the current code page.
using LeadBytePredicate = bool (*)(unsigned char);

// One trimmed version field. A field longer than kCapacity keeps its first
// kCapacity bytes: no rule accepts a field of even seven, so the decision
// stays the same.
struct VersionField {
    static constexpr std::size_t kCapacity = 15;
    char text[kCapacity + 1] = {};
    std::size_t length = 0;

    std::string_view View() const { return std::string_view(text, length); }
};

struct VersionFields {
    VersionField major;
    VersionField minor;
    VersionField build; // YYMMDD once a five-character year < 10 got its zero back
};

// "1, 7, 60417, 1" -> {"1", "7", "060417"}. A field whose closing comma is
// missing is empty; white space around each field is trimmed.
VersionFields SplitVersionFields(std::string_view fileVersion, LeadBytePredicate isLeadByte);

// The data file shipped for an installed minor version, compared as text;
// null for a minor without one.
const char* DataFileForMinor(std::string_view minor);

// True when the six-character build date A is earlier than B.
bool IsOlderBuild(std::string_view installed, std::string_view reference);

extern const char kReferenceBuild[];
extern const char kAcceptedMajor[];

// The five outcomes, by the id of their message.
enum Outcome : unsigned {
    kNotInstalled = IDS_NOT_INSTALLED,
    kDifferentVersion = IDS_DIFFERENT_VERSION,
    kUnnecessary = IDS_UNNECESSARY,
    kUpdated = IDS_UPDATED,
    kFailed = IDS_FAILED,
};

// What to do with an installed program of these version fields: copy the
// data file it names, or stop with the outcome.
struct Decision {
    Outcome stop;
    const char* dataFile; // null unless a copy is due
};
Decision Decide(const VersionFields& fields);

// The icon of an outcome's box: information when the installed program is
// current, a hand when the replacement failed, else an exclamation.
enum class OutcomeIcon { Information, Exclamation, Hand };
OutcomeIcon IconOf(Outcome outcome);

} // namespace updater
