#include "ui/FontFaceChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Face names as code page 932 bytes.
const std::string kMsUiGothic = "MS UI Gothic";
const std::string kMsPGothicJa = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"; // MS P-gothic
const std::string kMsGothicJa = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";          // MS gothic
const std::string kMsMinchoJa = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";                         // MS mincho

std::string Choose(const std::vector<std::string>& enumerated)
{
    std::string choice;
    for (const auto& face : enumerated)
        ui::OfferFace(face, choice, support::IsShiftJisLeadByte);
    return choice;
}
} // namespace

TEST(FontFaceChoice, PicksTheBestRankedFaceWhateverTheOrder)
{
    const struct {
        std::vector<std::string> faces;
        std::string expected;
    } cases[] = {
        {{kMsUiGothic, kMsPGothicJa, kMsGothicJa, "Arial"}, kMsUiGothic},
        {{"Arial", kMsGothicJa, kMsPGothicJa, kMsUiGothic}, kMsUiGothic},
        {{"MS PGothic", kMsGothicJa, kMsPGothicJa}, kMsPGothicJa},
        {{kMsGothicJa, "MS PGothic"}, kMsGothicJa},
        {{"Courier New", "Arial"}, "Arial"},
        {{"IPAPGothic", "IPAGothic"}, "IPAPGothic"},
        {{"IPAGothic", "IPAPGothic"}, "IPAPGothic"},
        {{kMsMinchoJa, "VL Gothic"}, "VL Gothic"},
        {{"Tahoma", "DejaVu Sans"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Choose(c.faces), c.expected);
}

TEST(FontFaceChoice, NeverTakesBoldOrItalicFaces)
{
    EXPECT_EQ(Choose({"MS UI Gothic Bold", "Arial"}), "Arial");
    EXPECT_EQ(Choose({"gothic italic"}), "");
    EXPECT_EQ(Choose({"Some GOTHIC bOlD"}), "");
}

TEST(FontFaceChoice, KeepsTheFirstFaceAmongEquals)
{
    EXPECT_EQ(Choose({"VL Gothic", "Century Gothic"}), "VL Gothic");
    EXPECT_EQ(Choose({"Arial", "Arial Narrow"}), "Arial");
}

TEST(FontFaceChoice, MatchesLettersCaseInsensitively)
{
    EXPECT_EQ(Choose({"courier", "ms ui gothic"}), "ms ui gothic");
}

TEST(UpperCaseMultiByte, LeavesTrailBytesThatLookLikeLettersAlone)
{
    // 0x83 0x61 is a katakana character whose trail byte is 'a'.
    EXPECT_EQ(support::UpperCaseMultiByte("a\x83\x61z", support::IsShiftJisLeadByte), "A\x83\x61Z");
    EXPECT_EQ(support::UpperCaseMultiByte("a\x83\x61z", [](unsigned char) { return false; }), "A\x83\x41Z");
}

TEST(SkinFontSize, KeepsTenPointsAtThirteenPixelsAtEveryDpi)
{
    for (int dpi : {96, 120, 144}) {
        int tenths = ui::TenthsOfPoint(10, dpi);
        EXPECT_EQ(ui::FontHeightForTenths(dpi, tenths), -13) << dpi;
    }
    EXPECT_EQ(ui::TenthsOfPoint(10, 120), 80);
    EXPECT_EQ(ui::TenthsOfPoint(10, 0), 0);
}
