// The stored-list codec, the ordering of found entries, the order shown while
// they are found and the places kept for set-aside ones. Input: the
// stored "Sort" text, a line break, the stored "NoUse" text, then one found
// file name per line (the folder search gives each name once, none empty,
// none with a "/").
#include "catalog/EntryOrder.h"

#include <algorithm>
#include <cassert>
#include <sstream>

using namespace catalog;

namespace {
void CheckCodec(const std::string& stored)
{
    IdList ids = ParseStoredList(stored);
    bool closed = stored.empty() || stored.back() == '/';
    assert(JoinStoredList(ids) == (closed ? stored : stored + "/"));
    assert(ParseStoredList(JoinStoredList(ids)) == ids);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IdList lines;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    lines.resize(std::max<std::size_t>(lines.size(), 2));
    CheckCodec(lines[0]);
    CheckCodec(lines[1]);
    IdList stored = ParseStoredList(lines[0]);
    IdList found;
    for (std::size_t i = 2; i < lines.size(); ++i)
        if (!lines[i].empty() && lines[i].find('/') == std::string::npos && !Contains(found, lines[i]))
            found.push_back(lines[i]);

    OrderResult result = ApplyStoredOrder(stored, found, "");
    // A permutation: nothing lost, nothing twice.
    assert(std::is_permutation(result.entries.begin(), result.entries.end(), found.begin(), found.end()));

    IdList known, fresh;
    for (const std::string& id : stored)
        if (Contains(found, id) && !Contains(known, id))
            known.push_back(id);
    for (const std::string& id : found)
        if (!Contains(stored, id))
            fresh.push_back(id);
    assert(result.newEntry == (fresh.empty() ? std::string() : fresh.front()));
    IdList knownInResult;
    std::copy_if(result.entries.begin(), result.entries.end(), std::back_inserter(knownInResult),
                 [&](const std::string& id) { return Contains(stored, id); });
    assert(knownInResult == known); // the stored order is kept

    // New entries follow a known online print entry, the latest found first;
    // without that entry they close the list in discovery order.
    auto print = std::find(result.entries.begin(), result.entries.end(), kOnlinePrintEntry);
    if (Contains(known, kOnlinePrintEntry))
        assert(std::size_t(result.entries.end() - print) > fresh.size() &&
               std::equal(fresh.rbegin(), fresh.rend(), print + 1));
    else if (!Contains(found, kOnlinePrintEntry))
        assert(std::equal(fresh.begin(), fresh.end(), result.entries.end() - fresh.size()));

    // Saved and applied again, the order stands and nothing is new.
    OrderResult again = ApplyStoredOrder(ParseStoredList(JoinStoredList(result.entries)), found, "");
    assert(again.entries == result.entries && again.newEntry.empty());
    assert(ApplyStoredOrder(stored, found, "Earlier.dll").newEntry == "Earlier.dll");

    IdList hidden = ParseStoredList(lines[1]);
    IdList visible = VisibleEntries(result.entries, hidden);
    IdList expectedVisible;
    std::copy_if(result.entries.begin(), result.entries.end(), std::back_inserter(expectedVisible),
                 [&](const std::string& id) { return !Contains(hidden, id); });
    assert(visible == expectedVisible);

    // While found: exactly the visible found ids, the stored ones in stored
    // order; with nothing new, what the finished menu shows.
    IdList provisional = ProvisionalOrder(stored, hidden, found);
    IdList visibleFound;
    std::copy_if(found.begin(), found.end(), std::back_inserter(visibleFound),
                 [&](const std::string& id) { return !Contains(hidden, id); });
    assert(std::is_permutation(provisional.begin(), provisional.end(), visibleFound.begin(), visibleFound.end()));
    if (fresh.empty())
        assert(provisional == visible);

    // Every second found entry set aside: the rest keep their order, and each
    // set-aside one the stored order held is stored again, once.
    IdList offered, kept;
    for (std::size_t i = 0; i < result.entries.size(); ++i)
        (i % 2 ? kept : offered).push_back(result.entries[i]);
    IdList saved = KeepInStoredPlaces(offered, stored, kept);
    IdList offeredInSaved;
    std::copy_if(saved.begin(), saved.end(), std::back_inserter(offeredInSaved),
                 [&](const std::string& id) { return Contains(offered, id); });
    assert(offeredInSaved == offered);
    for (const std::string& id : kept)
        assert(std::count(saved.begin(), saved.end(), id) == (Contains(stored, id) ? 1 : 0));
    assert(saved.size() == offered.size() + std::count_if(kept.begin(), kept.end(),
                                                          [&](const std::string& id) { return Contains(stored, id); }));
    return 0;
}
