#include "tests/common/MenuCorpus.h"
#include "tests/common/StrictXml.h"

using namespace catalog;
using Attributes = std::map<std::string, std::string>;

const auto kNoLeadBytes = [](unsigned char) { return false; };

TEST(MenuDocumentText, WritesTheDeclarationTheMenuAndOneLinePerEntry)
{
    std::vector<MenuLine> lines = {
        {"Viewer.dll", "Photo[CR]Viewer", "viewer.swf", "Start", "viewer.png"},
        {"Album.dll", "[SMALL]Album", "album.swf", "Open", "album.png"},
    };
    std::string text =
        MenuDocumentText(lines, "Album.dll", "C:\\Suite\\MenuSwf\\", "Shift_JIS", support::IsShiftJisLeadByte);
    EXPECT_EQ(text, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                    "<menu>\r\n"
                    "  <data id=\"Viewer.dll\" name=\"Photo[CR]Viewer\" infoswf=\"C:\\Suite\\MenuSwf\\viewer.swf\" "
                    "execbtn=\"Start\" icon=\"C:\\Suite\\MenuSwf\\viewer.png\" />\r\n"
                    "  <data id=\"Album.dll\" name=\"[SMALL]Album\" infoswf=\"C:\\Suite\\MenuSwf\\album.swf\" "
                    "execbtn=\"Open\" icon=\"C:\\Suite\\MenuSwf\\album.png\" focus=\"true\" />\r\n"
                    "</menu>\r\n");
    EXPECT_EQ(MenuDocumentText({}, "", "C:\\", "Shift_JIS", support::IsShiftJisLeadByte),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<menu>\r\n</menu>\r\n");
    // The focus needs an exact id.
    for (const char* focus : {"", "viewer.dll", "Hidden.dll"})
        EXPECT_EQ(MenuDocumentText(lines, focus, "", "x", kNoLeadBytes).find("focus"), std::string::npos) << focus;
}

TEST(MenuDocumentText, WritesWhitespaceAsReferencesAndLeavesOutWhatXmlCannotHold)
{
    EXPECT_EQ(EscapeAttribute(std::string("a\tb\nc\rd\x01\x1F") + "e\x7F", kNoLeadBytes), "a&#9;b&#10;c&#13;de\x7F");
    EXPECT_EQ(EscapeAttribute("<\"&'>", kNoLeadBytes), "&lt;&quot;&amp;'&gt;");
    EXPECT_EQ(EscapeAttribute("\x83\x5C\x83\"\x83", support::IsShiftJisLeadByte), "\x83\x5C&quot;");
}

// Each text goes into name, start button and both paths; what comes back
// is the text less what XML cannot hold.
TEST(MenuDocumentText, EveryTextReadsBackThroughAStrictReader)
{
    // Code page 932 or 1252, the text written, what reads back.
    const std::tuple<bool, std::string, std::string> cases[] = {
        {false, "Say \"<Cheese>\" & 'smile'", "Say \"<Cheese>\" & 'smile'"},
        // A reader turns literal tab, line feed and carriage return into blanks.
        {false, "Photo\tViewer\r\nPro\n", "Photo\tViewer\r\nPro\n"},
        {false, std::string("A\x01") + "B\x08\x0B\x0C\x0E\x1F" + "C\x7F", "ABC\x7F"},
        // Code page 1252 has no lead bytes.
        {false, "Caf\xE9 \x83\"\x80\x95<", "Caf\xE9 \x83\"\x80\x95<"},
        // ソフト 表示 能力, ポレ: second bytes 0x5C and 0x7C.
        {true, "\x83\x5C\x83\x74\x83\x67 \x95\x5C\x8E\xA6 \x94\x5C\x97\xCD",
         "\x83\x5C\x83\x74\x83\x67 \x95\x5C\x8E\xA6 \x94\x5C\x97\xCD"},
        {true, "\x83\x7C\x83\x8C|\\\"&", "\x83\x7C\x83\x8C|\\\"&"},
        // A lead byte without a second byte would swallow what follows it.
        {true, "A\x83\"B", "A\"B"},
        {true, "\x95<\x94&\x83>\x83'", "<&>'"},
        {true, "\x83\t\x83\r\x83\n", "\t\r\n"},
        {true, "\x83\x01Z\x95\x1F", "Z"},
        {true, "End\x83", "End"},
        {true, "\x83\x83\x5C\x83\x83\x83\x5C", "\x83\x83\x5C\x83\x83\x83\x5C"},
        // Single-byte katakana and bytes that are no lead bytes.
        {true, "\xB1\xB2\x80\xA0\xFD\xFF", "\xB1\xB2\x80\xA0\xFD\xFF"},
    };
    for (const auto& [japanese, text, readBack] : cases) {
        const char* encoding = japanese ? "Shift_JIS" : "windows-1252";
        auto isLeadByte = [j = japanese](unsigned char b) { return j && support::IsShiftJisLeadByte(b); };
        std::string document =
            MenuDocumentText({{"Entry.dll", text, text, text, text}}, "", "C:\\M\\", encoding, isLeadByte);
        auto elements = testing_support::ParseAnsiXml(document, encoding, isLeadByte);
        ASSERT_TRUE(elements && elements->size() == 2) << text;
        EXPECT_EQ((*elements)[1].attributes, (Attributes{{"id", "Entry.dll"},
                                                         {"name", readBack},
                                                         {"infoswf", "C:\\M\\" + readBack},
                                                         {"execbtn", readBack},
                                                         {"icon", "C:\\M\\" + readBack}}));
    }
}

// The corpora of the program's own read-back tests, through a strict reader.
TEST(MenuDocumentText, MenusAtRealSizeReadBackExactly)
{
    for (const testing_support::MenuCorpus& corpus : testing_support::kMenuCorpora) {
        std::string error;
        auto elements = testing_support::ParseAnsiXml(corpus.Document(), EncodingNameForCodePage(corpus.codePage),
                                                      corpus.LeadBytes(), &error);
        ASSERT_TRUE(elements) << corpus.what << ": " << error;
        EXPECT_EQ(elements->front().name, "menu");
        std::vector<Attributes> data;
        for (auto element = elements->begin() + 1; element != elements->end(); ++element)
            data.push_back(element->name == "data" ? element->attributes : Attributes());
        corpus.ExpectReadBack(data);
    }
}

TEST(EncodingNameForCodePage, NamesTheBytesActuallyWritten)
{
    const std::pair<unsigned, const char*> cases[] = {
        {932, "Shift_JIS"}, {1252, "windows-1252"}, {1251, "windows-1251"}, {936, "GBK"}, {65001, "UTF-8"}};
    for (const auto& [codePage, name] : cases)
        EXPECT_EQ(EncodingNameForCodePage(codePage), name) << codePage;
}
