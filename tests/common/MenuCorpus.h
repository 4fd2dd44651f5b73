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

struct MenuCorpus {
    const char* what;
    int count;
    unsigned codePage;
    std::string folder;
    std::string (*name)(int); // entry i's name, and its file names without extension
    std::string (*file)(int);
    std::string idStem = "Orva_App_";

    friend void PrintTo(const MenuCorpus& corpus, std::ostream* out) { *out << corpus.what; }
    support::LeadBytePredicate LeadBytes() const
    {
        return [japanese = codePage == 932](unsigned char c) { return japanese && support::IsShiftJisLeadByte(c); };
    }
    std::vector<catalog::MenuLine> Lines() const
    {
        std::vector<catalog::MenuLine> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back({idStem + std::to_string(i) + ".dll", name(i), file(i) + "_info.png",
                             "Start " + name(i).substr(0, 90), file(i) + ".png"});
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
    {"Empty", 0, 1252, kMenuSwf, [](int i) { return "App " + std::to_string(i); },
     [](int i) { return "app" + std::to_string(i); }},
    {"One", 1, 1252, kMenuSwf, [](int i) { return "Photo[CR]Viewer " + std::to_string(i); },
     [](int i) { return "viewer" + std::to_string(i); }, "Orva_App & \xC9" "dition "},
    {"Plain21", 21, 1252, kMenuSwf, [](int i) { return "Application " + std::to_string(i); },
     [](int i) { return "app" + std::to_string(i); }},
    {"Plain22", 22, 1252, kMenuSwf, [](int i) { return "Application " + std::to_string(i); },
     [](int i) { return "app" + std::to_string(i); }},
    {"Markup40", 40, 1252, "C:\\Program Files (x86)\\Orva Corporation\\Nembo Dereze\\MenuSwf\\",
     [](int i) { return "Say \"<Cheese>\" & 'smile' " + std::to_string(i); },
     [](int i) { return "a&b" + std::to_string(i); }},
    {"Plain42", 42, 1252, kMenuSwf, [](int i) { return "Application " + std::to_string(i); },
     [](int i) { return "app" + std::to_string(i); }},
    {"Names100Of100Bytes", 100, 1252, kMenuSwf,
     [](int i) { return Repeat("[SMALL]\xC9tude \xE0 la carte ", 96) + std::to_string(1000 + i); },
     [](int i) { return Repeat("f", 247) + std::to_string(1000 + i); }, "Orva_App & \xC9" "dition "},
    {"CodePage932With300", 300, 932, "C:\\Program Files\\" + kJapaneseText + "\\MenuSwf\\",
     [](int i) { return Repeat(kJapaneseText + "<&\"", 94) + std::to_string(100000 + i); },
     [](int i) { return Repeat(kJapaneseText, 240) + std::to_string(1000 + i); }, "\x83\x5C\x83\x74\x83\x67 & "},
    {"LongestFolderWith300", 300, 1252, "C:\\" + Repeat("Program Files (x86)\\", 255) + "\\", // 259 bytes
     [](int i) { return Repeat("[CR]<&>\"", 96) + std::to_string(1000 + i); },
     [](int i) { return Repeat("icon", 247) + std::to_string(1000 + i); }},
};

} // namespace testing_support
