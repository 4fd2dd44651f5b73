#include "catalog/MenuDocumentText.h"

#include <gtest/gtest.h>

using namespace catalog;

TEST(MenuDocumentText, WritesTheDeclarationTheMenuAndOneLinePerEntry)
{
    std::vector<MenuLine> lines = {
        {"Viewer.dll", "Photo[CR]Viewer", "viewer.swf", "Start", "viewer.png"},
        {"Album.dll", "[SMALL]Album", "album.swf", "Open", "album.png"},
    };
    std::string text = MenuDocumentText(lines, "Album.dll", "C:\\Suite\\MenuSwf\\", "Shift_JIS");
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
    EXPECT_EQ(MenuDocumentText({}, "", "C:\\", "Shift_JIS"),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<menu>\r\n</menu>\r\n");
}

TEST(MenuDocumentText, FocusNeedsAnExactId)
{
    std::vector<MenuLine> lines = {{"Viewer.dll", "V", "", "", ""}};
    for (const char* focus : {"", "viewer.dll", "Hidden.dll"})
        EXPECT_EQ(MenuDocumentText(lines, focus, "", "x").find("focus"), std::string::npos) << focus;
}

TEST(MenuDocumentText, EscapesMarkupCharactersInEveryAttribute)
{
    std::vector<MenuLine> lines = {{"A&B.dll", "Say \"<Cheese>\" & smile", "i&.swf", "Go >", "<.png"}};
    std::string text = MenuDocumentText(lines, "", "C:\\M&M\\", "windows-1252");
    EXPECT_NE(text.find("id=\"A&amp;B.dll\""), std::string::npos);
    EXPECT_NE(text.find("name=\"Say &quot;&lt;Cheese&gt;&quot; &amp; smile\""), std::string::npos);
    EXPECT_NE(text.find("infoswf=\"C:\\M&amp;M\\i&amp;.swf\""), std::string::npos);
    EXPECT_NE(text.find("execbtn=\"Go &gt;\""), std::string::npos);
    EXPECT_NE(text.find("icon=\"C:\\M&amp;M\\&lt;.png\""), std::string::npos);
    // Two-byte characters pass unchanged, also when a byte looks like ASCII.
    EXPECT_EQ(EscapeAttribute("\x83\x5C\x83\x74\x83\x67"), "\x83\x5C\x83\x74\x83\x67");
}

TEST(EncodingNameForCodePage, NamesTheBytesActuallyWritten)
{
    EXPECT_EQ(EncodingNameForCodePage(932), "Shift_JIS");
    EXPECT_EQ(EncodingNameForCodePage(1252), "windows-1252");
    EXPECT_EQ(EncodingNameForCodePage(1251), "windows-1251");
    EXPECT_EQ(EncodingNameForCodePage(936), "GBK");
    EXPECT_EQ(EncodingNameForCodePage(65001), "UTF-8");
}
