// The menu order and the hidden set as lists of entry ids (plug-in file
// names, compared exactly and case-sensitively), and their stored form:
// every id followed by "/", the last one included.
#pragma once

#include "support/MultiByteText.h"

#include <string>
#include <vector>

namespace catalog {

using IdList = std::vector<std::string>;

extern const char kOnlinePrintEntry[];

// "A.dll//B.dll/" -> A.dll, "", B.dll; a last id without separator counts.
IdList ParseStoredList(const std::string& stored);
std::string JoinStoredList(const IdList& ids);

struct OrderResult {
    IdList entries;
    std::string newEntry; // first id the stored order did not know
};

// Puts discovered ids into the stored order. Ids the stored order does not
// know are inserted right after the online print entry when that is already
// placed, else appended, and the first of them becomes the new entry unless
// one was set before.
OrderResult ApplyStoredOrder(const IdList& stored, const IdList& discovered, const std::string& newEntry);

// The entries without the hidden ids, in entry order.
IdList VisibleEntries(const IdList& entries, const IdList& hidden);

// The order to store when some installed entries were not offered this time
// (set aside): each kept id that the stored order held goes back right after
// the nearest id before it in that order that is still there (first when
// none is), so it has its old place when it returns. Kept ids the stored
// order did not hold stay out: they are new when they come back.
IdList KeepInStoredPlaces(const IdList& entries, const IdList& stored, const IdList& kept);

// What a menu being built shows before its order is applied: the visible ids
// found so far in the stored order, those it does not know after them in the
// order found. Linear in the number of ids, unlike ApplyStoredOrder; agrees
// with it whenever nothing is new.
IdList ProvisionalOrder(const IdList& stored, const IdList& hidden, const IdList& found);

bool Contains(const IdList& ids, const std::string& id);

// True for a bare file name: no folder separator, drive, or parent step. A
// byte that only looks like '\\' as the second byte of a two-byte character
// (as in many Japanese names) separates nothing.
bool IsPlainFileName(const std::string& id, const support::LeadBytePredicate& isLeadByte);

} // namespace catalog
