// The stored journal, set-aside list and names: any stored text, however
// damaged, reads without harm, and what is read writes back to text that
// reads the same. Input: any bytes, taken as each of the three values.
#include "catalog/PluginJournalText.h"

#include <cassert>

using namespace catalog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (std::optional<JournalRecord> record = DecodeJournal(text)) {
        std::optional<JournalRecord> again = DecodeJournal(EncodeJournal(*record));
        assert(again && again->library == record->library && again->purpose == record->purpose);
        assert(again->name.find_first_of("\t\n") == std::string::npos);
    }
    std::vector<LibraryIdentity> libraries = DecodeIdentities(text);
    assert(DecodeIdentities(EncodeIdentities(libraries)) == libraries);
    NameMap names = DecodeNames(text);
    NameMap again = DecodeNames(EncodeNames(names));
    assert(again.size() == names.size());
    assert(DecodeNames(EncodeNames(again)) == again);
    return 0;
}
