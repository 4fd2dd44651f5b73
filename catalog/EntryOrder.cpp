#include "EntryOrder.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace catalog {

const char kOnlinePrintEntry[] = "Orva_OnlinePrintApp_01.dll";

IdList ParseStoredList(const std::string& stored)
{
    IdList ids;
    std::string::size_type start = 0;
    while (start < stored.size()) {
        std::string::size_type slash = stored.find('/', start);
        if (slash == std::string::npos) {
            ids.push_back(stored.substr(start));
            break;
        }
        ids.push_back(stored.substr(start, slash - start));
        start = slash + 1;
    }
    return ids;
}

std::string JoinStoredList(const IdList& ids)
{
    std::string stored;
    for (const std::string& id : ids) {
        stored += id;
        stored += '/';
    }
    return stored;
}

bool Contains(const IdList& ids, const std::string& id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

OrderResult ApplyStoredOrder(const IdList& stored, const IdList& discovered, const std::string& newEntry)
{
    OrderResult result{IdList(), newEntry};
    IdList found = discovered;
    for (const std::string& id : stored) {
        auto at = std::find(found.begin(), found.end(), id);
        if (at == found.end())
            continue; // not installed, repeated or empty
        result.entries.push_back(id);
        found.erase(at);
    }
    for (const std::string& id : found) {
        auto printEntry = std::find(result.entries.begin(), result.entries.end(), kOnlinePrintEntry);
        if (printEntry != result.entries.end())
            result.entries.insert(printEntry + 1, id);
        else
            result.entries.push_back(id);
        if (result.newEntry.empty())
            result.newEntry = id;
    }
    return result;
}

IdList VisibleEntries(const IdList& entries, const IdList& hidden)
{
    IdList visible;
    for (const std::string& id : entries)
        if (!Contains(hidden, id))
            visible.push_back(id);
    return visible;
}

IdList KeepInStoredPlaces(const IdList& entries, const IdList& stored, const IdList& kept)
{
    IdList result = entries;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::string& id = stored[i];
        if (!Contains(kept, id) || Contains(result, id))
            continue;
        auto at = result.begin();
        for (std::size_t j = i; j-- > 0;) {
            auto before = std::find(result.begin(), result.end(), stored[j]);
            if (before != result.end()) {
                at = before + 1;
                break;
            }
        }
        result.insert(at, id);
    }
    return result;
}

IdList ProvisionalOrder(const IdList& stored, const IdList& hidden, const IdList& found)
{
    std::unordered_map<std::string, std::size_t> place;
    for (std::size_t i = 0; i < stored.size(); ++i)
        place.emplace(stored[i], i);
    const std::unordered_set<std::string> hiddenIds(hidden.begin(), hidden.end());
    std::vector<std::pair<std::size_t, std::string>> known;
    IdList unknown;
    for (const std::string& id : found) {
        if (hiddenIds.count(id))
            continue;
        auto at = place.find(id);
        if (at == place.end())
            unknown.push_back(id);
        else
            known.emplace_back(at->second, id);
    }
    std::sort(known.begin(), known.end());
    IdList order;
    for (auto& [index, id] : known)
        order.push_back(std::move(id));
    order.insert(order.end(), unknown.begin(), unknown.end());
    return order;
}

bool IsPlainFileName(const std::string& id, const support::LeadBytePredicate& isLeadByte)
{
    if (id.empty() || id == "." || id == "..")
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char c = id[i];
        if (c == '\\' || c == '/' || c == ':')
            return false;
        if (isLeadByte(static_cast<unsigned char>(c)))
            ++i; // its second byte is part of the character
    }
    return true;
}

} // namespace catalog
