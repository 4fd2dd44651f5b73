// The menu document at real size: whatever the catalog writes (any number of
// entries, names at their limits, markup characters, code pages 1252 and 932,
// long folders) reads back exactly, and a document that cannot be read is
// refused in bounded time. Each read runs on a worker with a deadline, so a
// reader that hangs fails the test instead of blocking the run.
#include "catalog/MenuDocumentText.h"
#include "support/MultiByteText.h"
#include "support/XmlElementReader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Elements = std::optional<std::vector<support::XmlAttributes>>;

struct ReadJob {
    std::string bytes;
    unsigned codePage;
    Elements result;
};

DWORD WINAPI RunRead(void* context)
{
    auto* job = static_cast<ReadJob*>(context);
    job->result = support::ReadXmlElements(job->bytes, job->codePage, "data");
    return 0;
}

// The reader's answer within a deadline. A reader that hangs cannot be
// stopped safely (it may hold the heap lock), so the whole test process ends
// with a failure; every test runs in a process of its own.
Elements ReadWithDeadline(const std::string& bytes, unsigned codePage)
{
    ReadJob job{bytes, codePage, std::nullopt};
    HANDLE worker = ::CreateThread(nullptr, 0, &RunRead, &job, 0, nullptr);
    if (::WaitForSingleObject(worker, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the reader hung on %u bytes\n", static_cast<unsigned>(bytes.size()));
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 1);
    }
    ::CloseHandle(worker);
    return std::move(job.result);
}

// Text of exactly `length` bytes built from `pattern`, never ending inside a
// double-byte character of the pattern.
std::string Repeat(const std::string& pattern, std::size_t length)
{
    std::string text;
    while (text.size() + pattern.size() <= length)
        text += pattern;
    while (text.size() < length)
        text += 'x';
    return text;
}

struct Corpus {
    const char* what;
    int count;
    unsigned codePage;
    std::string folder;
    // The fields of entry i.
    std::string (*name)(int);
    std::string (*file)(int);
};

std::string Numbered(const char* prefix, int i)
{
    return prefix + std::to_string(i);
}

// Shift_JIS text with characters whose second byte looks like '\' (0x5C)
// or '|' (0x7C).
const std::string kJapanese = "\x8E\xCA\x90\x5E\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6\x94\x5C\x83\x7C";

const std::string kLongFolder = "C:\\" + Repeat("Program Files (x86)\\", 255) + "\\"; // 259 bytes

std::vector<catalog::MenuLine> Lines(const Corpus& corpus)
{
    std::vector<catalog::MenuLine> lines;
    for (int i = 0; i < corpus.count; ++i)
        lines.push_back({"Orva_App_" + std::to_string(i) + ".dll", corpus.name(i), corpus.file(i) + "_info.png",
                         "Start " + corpus.name(i).substr(0, 90), corpus.file(i) + ".png"});
    return lines;
}

const Corpus kCorpora[] = {
    {"empty", 0, 1252, "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Numbered("App ", i); }, [](int i) { return Numbered("app", i); }},
    {"one", 1, 1252, "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Numbered("Photo[CR]Viewer ", i); }, [](int i) { return Numbered("viewer", i); }},
    {"21 plain", 21, 1252, "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Numbered("Application ", i); }, [](int i) { return Numbered("app", i); }},
    {"22 plain", 22, 1252, "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Numbered("Application ", i); }, [](int i) { return Numbered("app", i); }},
    {"40 with markup", 40, 1252, "C:\\Program Files (x86)\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Numbered("Say \"<Cheese>\" & 'smile' ", i); }, [](int i) { return Numbered("a&b", i); }},
    {"42 plain", 42, 1252, "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Numbered("Application ", i); }, [](int i) { return Numbered("app", i); }},
    {"100 names of 100 bytes", 100, 1252, "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return Repeat("[SMALL]\xC9tude \xE0 la carte ", 100 - 4) + std::to_string(1000 + i); },
     [](int i) { return Repeat("f", 247) + std::to_string(1000 + i); }},
    {"300 in code page 932", 300, 932, "C:\\Program Files\\" + kJapanese + "\\MenuSwf\\",
     [](int i) { return Repeat(kJapanese, 94) + std::to_string(100000 + i); },
     [](int i) { return Repeat(kJapanese, 240) + std::to_string(1000 + i); }},
    {"300 with the longest folder", 300, 1252, kLongFolder,
     [](int i) { return Repeat("[CR]<&>\"", 96) + std::to_string(1000 + i); },
     [](int i) { return Repeat("icon", 247) + std::to_string(1000 + i); }},
};

support::LeadBytePredicate LeadBytesOf(unsigned codePage)
{
    if (codePage == 932)
        return support::IsShiftJisLeadByte;
    return [](unsigned char) { return false; };
}

void PrintTo(const Corpus& corpus, std::ostream* out)
{
    *out << corpus.what;
}

class MenuDocumentRead : public testing::TestWithParam<Corpus> {};

} // namespace

TEST_P(MenuDocumentRead, ReturnsExactlyTheWrittenEntriesInOrder)
{
    const Corpus& corpus = GetParam();
    std::vector<catalog::MenuLine> lines = Lines(corpus);
    const std::string focus = corpus.count > 0 ? lines[corpus.count / 2].id : std::string();
    std::string bytes = catalog::MenuDocumentText(lines, focus, corpus.folder,
                                                  catalog::EncodingNameForCodePage(corpus.codePage),
                                                  LeadBytesOf(corpus.codePage));

    Elements elements = ReadWithDeadline(bytes, corpus.codePage);
    ASSERT_TRUE(elements) << bytes.size() << " bytes read as unreadable";
    ASSERT_EQ(elements->size(), lines.size()) << bytes.size() << " bytes";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        support::XmlAttributes& read = (*elements)[i];
        EXPECT_EQ(read["id"], lines[i].id);
        EXPECT_EQ(read["name"], lines[i].name) << "entry " << i;
        EXPECT_EQ(read["infoswf"], corpus.folder + lines[i].infoSwf) << "entry " << i;
        EXPECT_EQ(read["execbtn"], lines[i].execButton) << "entry " << i;
        EXPECT_EQ(read["icon"], corpus.folder + lines[i].icon) << "entry " << i;
        EXPECT_EQ(read.count("focus"), lines[i].id == focus ? 1u : 0u) << "entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AtRealSize, MenuDocumentRead, testing::ValuesIn(kCorpora),
                         [](const testing::TestParamInfo<Corpus>& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(MenuDocumentRead, RefusesWhatAStrictParserRejectsInBoundedTime)
{
    std::string valid = catalog::MenuDocumentText({{"A.dll", "A", "a.png", "Go", "a.png"}}, "", "C:\\M\\",
                                                  "windows-1252", LeadBytesOf(1252));
    std::string large = catalog::MenuDocumentText(Lines(kCorpora[6]), "", "C:\\M\\", "windows-1252", LeadBytesOf(1252));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_FALSE(ReadWithDeadline(c.bytes, 1252)) << c.what;
    }
}
