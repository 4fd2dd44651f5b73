// The menu document at real size: whatever the catalog writes reads back
// exactly with the program's reader, and a document that cannot be read is
// refused in bounded time. Each read runs on a worker with a deadline, so a
// reader that hangs fails the test instead of blocking the run.
#include "support/XmlElementReader.h"
#include "tests/common/MenuCorpus.h"

#include <windows.h>

#include <cstdio>
#include <future>
#include <thread>

namespace {
using Elements = std::optional<std::vector<support::XmlAttributes>>;

// The reader's answer within a deadline. A reader that hangs cannot be
// stopped safely (it may hold the heap lock), so the whole test process ends
// with a failure; every test runs in a process of its own. A reader that
// answers is joined, so no thread is still leaving COM while the test exits.
Elements ReadWithDeadline(const std::string& bytes, unsigned codePage)
{
    std::packaged_task<Elements()> read([&] { return support::ReadXmlElements(bytes, codePage, "data"); });
    std::future<Elements> result = read.get_future();
    std::thread reader(std::move(read));
    if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        std::fprintf(stderr, "the reader hung on %u bytes\n", static_cast<unsigned>(bytes.size()));
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 1);
    }
    reader.join();
    return result.get();
}

class MenuDocumentRead : public testing::TestWithParam<testing_support::MenuCorpus> {};
} // namespace

TEST_P(MenuDocumentRead, ReturnsExactlyTheWrittenEntriesInOrder)
{
    std::string bytes = GetParam().Document();
    Elements elements = ReadWithDeadline(bytes, GetParam().codePage);
    ASSERT_TRUE(elements) << bytes.size() << " bytes read as unreadable";
    GetParam().ExpectReadBack(*elements);
}

INSTANTIATE_TEST_SUITE_P(AtRealSize, MenuDocumentRead, testing::ValuesIn(testing_support::kMenuCorpora),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(MenuDocumentRead, RefusesWhatAStrictParserRejectsInBoundedTime)
{
    std::string valid = testing_support::kMenuCorpora[1].Document(); // one entry
    std::string large = testing_support::kMenuCorpora[6].Document();
    const std::pair<const char*, std::string> cases[] = {
        {"empty file", ""},
        {"binary garbage", std::string("\x00\xFF\xFE\x01<<<&&&\x00", 12)},
        {"truncated inside an attribute", valid.substr(0, valid.find("name=") + 7)},
        {"truncated large document", large.substr(0, large.size() / 2 + 3)},
        {"unclosed root", valid.substr(0, valid.find("</menu>"))},
        {"raw ampersand", "<?xml version=\"1.0\"?><menu><data id=\"a&b\" /></menu>"},
        {"two roots", "<menu></menu><menu></menu>"},
        {"entity expansion", "<?xml version=\"1.0\"?><!DOCTYPE m [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
                             "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><menu><data id=\"&b;\"/></menu>"},
        {"larger than the reader accepts", "<menu>" + std::string(20 * 1024 * 1024, ' ') + "</menu>"},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(ReadWithDeadline(bytes, 1252)) << what;
}
