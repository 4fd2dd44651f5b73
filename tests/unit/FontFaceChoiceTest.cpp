#include "ui/FontFaceChoice.h"

#include <gtest/gtest.h>

// Face names as code page 932 bytes.
const std::string kMsUiGothic = "MS UI Gothic";
const std::string kMsPGothicJa = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"; // MS P-gothic
const std::string kMsGothicJa = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";          // MS gothic
const std::string kMsMinchoJa = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";                          // MS mincho

TEST(FontFaceChoice, PicksTheBestRankedFaceWhateverTheOrder)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{kMsUiGothic, kMsPGothicJa, kMsGothicJa, "Arial"}, kMsUiGothic},
        {{"Arial", kMsGothicJa, kMsPGothicJa, kMsUiGothic}, kMsUiGothic},
        {{"MS PGothic", kMsGothicJa, kMsPGothicJa}, kMsPGothicJa},
        {{kMsGothicJa, "MS PGothic"}, kMsGothicJa},
        {{"Courier New", "Arial", "Arial Narrow"}, "Arial"},
        {{"IPAGothic", "IPAPGothic", "VL Gothic"}, "IPAPGothic"},
        {{kMsMinchoJa, "VL Gothic", "Century Gothic"}, "VL Gothic"},
        {{"courier", "ms ui gothic"}, "ms ui gothic"},
        {{"MS UI Gothic Bold", "gothic italic", "Arial"}, "Arial"},
        {{"Some GOTHIC bOlD", "Tahoma", "DejaVu Sans"}, ""},
    };
    for (const auto& [faces, expected] : cases) {
        std::string choice;
        for (const auto& face : faces)
            ui::OfferFace(face, choice, support::IsShiftJisLeadByte);
        EXPECT_EQ(choice, expected) << faces[0];
    }
}

TEST(UpperCaseMultiByte, LeavesTrailBytesThatLookLikeLettersAlone)
{
    // 0x83 0x61 is a katakana character whose trail byte is 'a'.
    EXPECT_EQ(support::UpperCaseMultiByte("a\x83\x61z", support::IsShiftJisLeadByte), "A\x83\x61Z");
    EXPECT_EQ(support::UpperCaseMultiByte("a\x83\x61z", [](unsigned char) { return false; }), "A\x83\x41Z");
}

TEST(SkinFontSize, KeepsTenPointsAtThirteenPixelsAtEveryDpi)
{
    for (int dpi : {96, 120, 144})
        EXPECT_EQ(ui::FontHeightForTenths(dpi, ui::TenthsOfPoint(10, dpi)), -13) << dpi;
    EXPECT_EQ(ui::TenthsOfPoint(10, 0), 0);
}
