// The updater's decision rules, apart from files and the registry: how the
// installed program's "FileVersion" text splits into fields, which data file
// belongs to a minor version, and when a build date counts as older.
#pragma once

#include "UpdateIds.h"

#include <functional>
#include <optional>
#include <string>

namespace updater {

using LeadBytePredicate = std::function<bool(unsigned char)>;

struct VersionFields {
    std::string major;
    std::string minor;
    std::string build; // YYMMDD once a five-character year < 10 got its zero back
};

// "1, 7, 60417, 1" -> {"1", "7", "060417"}. A field whose closing comma is
// missing is empty; white space around each field is trimmed.
VersionFields SplitVersionFields(const std::string& fileVersion, const LeadBytePredicate& isLeadByte);

// The data file shipped for an installed minor version, compared as text.
std::optional<std::string> DataFileForMinor(const std::string& minor);

// True when the six-character build date A is earlier than B.
bool IsOlderBuild(const std::string& installed, const std::string& reference);

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
    std::string dataFile; // empty unless a copy is due
};
Decision Decide(const VersionFields& fields);

// The icon of an outcome's box: information when the installed program is
// current, a hand when the replacement failed, else an exclamation.
enum class OutcomeIcon { Information, Exclamation, Hand };
OutcomeIcon IconOf(Outcome outcome);

} // namespace updater
