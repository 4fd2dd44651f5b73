#include "catalog/MenuDocumentText.h"
#include "tests/common/StrictXml.h"

#include <gtest/gtest.h>

using namespace catalog;
using testing_support::XmlElement;

namespace {
bool NoLeadBytes(unsigned char)
{
    return false;
}

struct CodePage {
    const char* encoding;
    bool (*isLeadByte)(unsigned char);
};
const CodePage kWestern{"windows-1252", NoLeadBytes};
const CodePage kJapanese{"Shift_JIS", support::IsShiftJisLeadByte};

const char kFolder[] = "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\";

// Writes the document and reads it back with the strict reader.
std::vector<XmlElement> WriteAndRead(const std::vector<MenuLine>& lines, const std::string& focus,
                                     const std::string& folder, const CodePage& codePage)
{
    std::string document = MenuDocumentText(lines, focus, folder, codePage.encoding, codePage.isLeadByte);
    std::string error;
    auto elements = testing_support::ParseAnsiXml(document, codePage.encoding, codePage.isLeadByte, &error);
    EXPECT_TRUE(elements.has_value()) << error << "\n" << document;
    return elements.value_or(std::vector<XmlElement>());
}

void ExpectLine(const XmlElement& element, const MenuLine& line, const std::string& folder)
{
    EXPECT_EQ(element.name, "data");
    EXPECT_EQ(element.attributes.at("id"), line.id);
    EXPECT_EQ(element.attributes.at("name"), line.name);
    EXPECT_EQ(element.attributes.at("infoswf"), folder + line.infoSwf);
    EXPECT_EQ(element.attributes.at("execbtn"), line.execButton);
    EXPECT_EQ(element.attributes.at("icon"), folder + line.icon);
}
} // namespace

TEST(MenuDocumentText, WritesTheDeclarationTheMenuAndOneLinePerEntry)
{
    std::vector<MenuLine> lines = {
        {"Viewer.dll", "Photo[CR]Viewer", "viewer.swf", "Start", "viewer.png"},
        {"Album.dll", "[SMALL]Album", "album.swf", "Open", "album.png"},
    };
    std::string text = MenuDocumentText(lines, "Album.dll", "C:\\Suite\\MenuSwf\\", "Shift_JIS", support::IsShiftJisLeadByte);
    EXPECT_EQ(text,
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
              "<menu>\r\n"
              "  <data id=\"Viewer.dll\" name=\"Photo[CR]Viewer\" infoswf=\"C:\\Suite\\MenuSwf\\viewer.swf\" "
              "execbtn=\"Start\" icon=\"C:\\Suite\\MenuSwf\\viewer.png\" />\r\n"
              "  <data id=\"Album.dll\" name=\"[SMALL]Album\" infoswf=\"C:\\Suite\\MenuSwf\\album.swf\" "
              "execbtn=\"Open\" icon=\"C:\\Suite\\MenuSwf\\album.png\" focus=\"true\" />\r\n"
              "</menu>\r\n");
}

TEST(MenuDocumentText, NoEntriesGiveAnEmptyMenu)
{
    EXPECT_EQ(MenuDocumentText({}, "", "C:\\", "Shift_JIS", support::IsShiftJisLeadByte),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<menu>\r\n</menu>\r\n");
}

TEST(MenuDocumentText, FocusNeedsAnExactId)
{
    std::vector<MenuLine> lines = {{"Viewer.dll", "V", "", "", ""}};
    for (const char* focus : {"", "viewer.dll", "Hidden.dll"})
        EXPECT_EQ(MenuDocumentText(lines, focus, "", "x", NoLeadBytes).find("focus"), std::string::npos) << focus;
}

TEST(MenuDocumentText, WritesWhitespaceAsReferencesAndLeavesOutWhatXmlCannotHold)
{
    EXPECT_EQ(EscapeAttribute("a\tb\nc\rd\x01\x1F" "e\x7F", NoLeadBytes), "a&#9;b&#10;c&#13;de\x7F");
    EXPECT_EQ(EscapeAttribute("<\"&'>", NoLeadBytes), "&lt;&quot;&amp;'&gt;");
    EXPECT_EQ(EscapeAttribute("\x83\x5C\x83\"\x83", support::IsShiftJisLeadByte), "\x83\x5C&quot;");
}

// Each text goes into name, start button and both paths; what comes back
// is the text less what XML cannot hold.
TEST(MenuDocumentText, EveryTextReadsBackThroughAStrictReader)
{
    const struct {
        const CodePage& codePage;
        std::string text;
        std::string readBack;
    } cases[] = {
        {kWestern, "Say \"<Cheese>\" & 'smile'", "Say \"<Cheese>\" & 'smile'"},
        // A reader turns literal tab, line feed and carriage return into blanks.
        {kWestern, "Photo\tViewer\r\nPro\n", "Photo\tViewer\r\nPro\n"},
        {kWestern, "A\x01" "B\x08\x0B\x0C\x0E\x1F" "C\x7F", "ABC\x7F"},
        // Code page 1252 has no lead bytes.
        {kWestern, "Caf\xE9 \x83\"\x80\x95<", "Caf\xE9 \x83\"\x80\x95<"},
        // ソフト 表示 能力, ポレ: second bytes 0x5C and 0x7C.
        {kJapanese, "\x83\x5C\x83\x74\x83\x67 \x95\x5C\x8E\xA6 \x94\x5C\x97\xCD", "\x83\x5C\x83\x74\x83\x67 \x95\x5C\x8E\xA6 \x94\x5C\x97\xCD"},
        {kJapanese, "\x83\x7C\x83\x8C|\\\"&", "\x83\x7C\x83\x8C|\\\"&"},
        // A lead byte without a second byte would swallow what follows it.
        {kJapanese, "A\x83\"B", "A\"B"},
        {kJapanese, "\x95<\x94&\x83>\x83'", "<&>'"},
        {kJapanese, "\x83\t\x83\r\x83\n", "\t\r\n"},
        {kJapanese, "\x83\x01Z\x95\x1F", "Z"},
        {kJapanese, "End\x83", "End"},
        {kJapanese, "\x83\x83\x5C\x83\x83\x83\x5C", "\x83\x83\x5C\x83\x83\x83\x5C"},
        // Single-byte katakana and bytes that are no lead bytes.
        {kJapanese, "\xB1\xB2\x80\xA0\xFD\xFF", "\xB1\xB2\x80\xA0\xFD\xFF"},
    };
    for (const auto& c : cases) {
        std::vector<MenuLine> lines = {{"Entry.dll", c.text, c.text, c.text, c.text}};
        std::vector<XmlElement> elements = WriteAndRead(lines, "", kFolder, c.codePage);
        ASSERT_EQ(elements.size(), 2u) << c.text;
        ExpectLine(elements[1], {"Entry.dll", c.readBack, c.readBack, c.readBack, c.readBack}, kFolder);
    }
}

// A full menu of records at their limits: names of 100 bytes, paths of 259,
// every markup character, ids as the folder search returns them.
TEST(MenuDocumentText, AFullMenuAtTheLimitsReadsBackExactly)
{
    const struct {
        const CodePage& codePage;
        std::string idStem;
        std::string namePiece; // repeated up to 100 bytes
        std::string pathPiece;
    } cases[] = {
        {kWestern, "Orva_App & \xC9" "dition ", "<A&\"B'>\x83", "\xE9&"},
        {kJapanese, "\x83\x5C\x83\x74\x83\x67 & ", "\x83\x5C\x95\x5C<\x94\x5C\"\x83\x7C&", "\x95\x5C"},
    };
    for (const auto& c : cases) {
        std::string folder = std::string(kFolder) + std::string(40, 'f') + "\\";
        std::vector<MenuLine> lines;
        for (int i = 0; i < 150; ++i) {
            std::string name = std::to_string(100 + i);
            while (name.size() + c.namePiece.size() <= 100)
                name += c.namePiece;
            name.resize(100, 'n');
            std::string path = std::to_string(i) + ".swf";
            while (folder.size() + path.size() + c.pathPiece.size() <= 259)
                path.insert(0, c.pathPiece);
            path.insert(0, std::string(259 - folder.size() - path.size(), 'p'));
            lines.push_back({c.idStem + std::to_string(i) + ".dll", name, path, name.substr(0, 3 + c.namePiece.size()), path});
        }
        const std::string focus = lines[77].id;
        std::vector<XmlElement> elements = WriteAndRead(lines, focus, folder, c.codePage);
        ASSERT_EQ(elements.size(), lines.size() + 1) << c.codePage.encoding;
        EXPECT_EQ(elements[0].name, "menu");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].name.size(), 100u);
            ASSERT_EQ(folder.size() + lines[i].icon.size(), 259u);
            ExpectLine(elements[i + 1], lines[i], folder);
            EXPECT_EQ(elements[i + 1].attributes.count("focus"), i == 77 ? 1u : 0u) << i;
        }
    }
}

TEST(EncodingNameForCodePage, NamesTheBytesActuallyWritten)
{
    EXPECT_EQ(EncodingNameForCodePage(932), "Shift_JIS");
    EXPECT_EQ(EncodingNameForCodePage(1252), "windows-1252");
    EXPECT_EQ(EncodingNameForCodePage(1251), "windows-1251");
    EXPECT_EQ(EncodingNameForCodePage(936), "GBK");
    EXPECT_EQ(EncodingNameForCodePage(65001), "UTF-8");
}
