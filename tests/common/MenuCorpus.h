// Menu documents at real size, read back by the strict reader on the host
// and by the program's own reader under Wine: any number of entries (around
// the sizes where a reader once failed), names and paths at their limits,
// markup characters, code pages 1252 and 932, the longest folder.
#pragma once

#include "catalog/MenuDocumentText.h"

#include <gtest/gtest.h>

#include <map>

namespace testing_support {

// Text of exactly `length` bytes built from `pattern`, never ending inside a
// double-byte character of the pattern.
inline std::string Repeat(const std::string& pattern, std::size_t length)
{
    std::string text;
    while (text.size() + pattern.size() <= length)
        text += pattern;
    return text + std::string(length - text.size(), 'x');
}

// Shift_JIS text with characters whose second byte looks like '\' (0x5C) or '|' (0x7C).
const std::string kJapaneseText = "\x8E\xCA\x90\x5E\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6\x94\x5C\x83\x7C";

// Entry i is named `name` repeated to `nameLength` bytes, then the number
// base + i; its files the same from `file`.
struct MenuCorpus {
    const char* what;
    int count;
    unsigned codePage;
    std::string folder;
    std::string name;
    std::size_t nameLength;
    std::string file;
    std::size_t fileLength;
    int base;
    std::string idStem = "Orva_App_";

    friend void PrintTo(const MenuCorpus& corpus, std::ostream* out) { *out << corpus.what; }
    support::LeadBytePredicate LeadBytes() const
    {
        return [japanese = codePage == 932](unsigned char c) { return japanese && support::IsShiftJisLeadByte(c); };
    }
    std::vector<catalog::MenuLine> Lines() const
    {
        std::vector<catalog::MenuLine> lines;
        for (int i = 0; i < count; ++i) {
            std::string entryName = Repeat(name, nameLength) + std::to_string(base + i);
            std::string entryFile = Repeat(file, fileLength) + std::to_string(base + i);
            lines.push_back({idStem + std::to_string(i) + ".dll", entryName, entryFile + "_info.png",
                             "Start " + entryName.substr(0, 90), entryFile + ".png"});
        }
        return lines;
    }
    // The middle entry has the focus.
    std::string Document() const
    {
        const std::vector<catalog::MenuLine> lines = Lines();
        return catalog::MenuDocumentText(lines, count ? lines[count / 2].id : "", folder,
                                         catalog::EncodingNameForCodePage(codePage), LeadBytes());
    }
    // The attributes of the data elements read back are exactly those written.
    void ExpectReadBack(const std::vector<std::map<std::string, std::string>>& read) const
    {
        const std::vector<catalog::MenuLine> lines = Lines();
        ASSERT_EQ(read.size(), lines.size()) << what;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const catalog::MenuLine& l = lines[i];
            std::map<std::string, std::string> written{{"id", l.id},
                                                       {"name", l.name},
                                                       {"infoswf", folder + l.infoSwf},
                                                       {"execbtn", l.execButton},
                                                       {"icon", folder + l.icon}};
            if (i == lines.size() / 2)
                written["focus"] = "true";
            EXPECT_EQ(read[i], written) << what << ", entry " << i;
        }
    }
};

const std::string kMenuSwf = "C:\\Program Files\\Orva Corporation\\Nembo Dereze\\MenuSwf\\";

// 21 and 22, 40 and 42 plain entries lie either side of the sizes where the
// system's reader once read nothing or never returned.
inline const MenuCorpus kMenuCorpora[] = {
    {"Empty", 0, 1252, kMenuSwf, "App ", 4, "app", 3, 0},
    {"One", 1, 1252, kMenuSwf, "Photo[CR]Viewer ", 16, "viewer", 6, 0, "Orva_App & Caf\xE9 "},
    {"Plain21", 21, 1252, kMenuSwf, "Application ", 12, "app", 3, 0},
    {"Plain22", 22, 1252, kMenuSwf, "Application ", 12, "app", 3, 0},
    {"Markup40", 40, 1252, "C:\\Program Files (x86)\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     "Say \"<Cheese>\" & 'smile' ", 25, "a&b", 3, 0},
    {"Plain42", 42, 1252, kMenuSwf, "Application ", 12, "app", 3, 0},
    {"Names100Of100Bytes", 100, 1252, kMenuSwf, "[SMALL]\xC9tude \xE0 la carte ", 96, "f", 247, 1000,
     "Orva_App & Caf\xE9 "},
    {"CodePage932With300", 300, 932, "C:\\Program Files\\" + kJapaneseText + "\\MenuSwf\\", kJapaneseText + "<&\"", 96,
     kJapaneseText, 240, 1000, "\x83\x5C\x83\x74\x83\x67 & "},
    {"LongestFolderWith300", 300, 1252, "C:\\" + Repeat("Program Files (x86)\\", 255) + "\\", // 259 bytes
     "[CR]<&>\"", 96, "icon", 247, 1000},
};

} // namespace testing_support
