// The skin font against Wine's real font enumeration (with Debian's IPA
// Gothic fonts installed).
#include "ui/FontFaceChoice.h"
#include "ui/SkinFont.h"

#include <gtest/gtest.h>

TEST(SkinFont, TheFirstFontChoosesAGothicFaceOnceForTheProcess)
{
    g_fontFace.clear();
    CSkinFont first(10);
    ASSERT_NE(first.GetHandle(), nullptr);
    std::string upper = support::UpperCaseMultiByte(g_fontFace, [](unsigned char c) { return ::IsDBCSLeadByte(c) != 0; });
    EXPECT_NE(upper.find("GOTHIC"), std::string::npos) << g_fontFace;
    EXPECT_EQ(upper.find("BOLD"), std::string::npos);

    LOGFONTA font{};
    ASSERT_TRUE(::GetObjectA(first.GetHandle(), sizeof font, &font));
    EXPECT_EQ(std::string(font.lfFaceName), g_fontFace);
    EXPECT_EQ(font.lfHeight, -13); // 10 points at 96 DPI, or at any DPI
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);

    // Once a face is chosen nothing enumerates again: a worse choice stays.
    g_fontFace = "Arial";
    CSkinFont second(12);
    EXPECT_EQ(g_fontFace, "Arial");
    ASSERT_TRUE(::GetObjectA(second.GetHandle(), sizeof font, &font));
    EXPECT_EQ(std::string(font.lfFaceName), "Arial");
    EXPECT_EQ(font.lfHeight, -16);
    g_fontFace.clear();
}
