#include "FontFaceChoice.h"

namespace ui {

namespace {
// Best first. The Japanese entries are code page 932 bytes:
// full-width P + "gothic", "gothic", full-width P + "mincho", "mincho".
const char* const kPreferredFragments[] = {
    "UI GOTHIC",
    "\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E",
    "\x83\x53\x83\x56\x83\x62\x83\x4E",
    "PGOTHIC",
    "GOTHIC",
    "\x82\x6F\x96\xBE\x92\xA9",
    "\x96\xBE\x92\xA9",
    "ARIAL",
    "COURIER",
};

bool Contains(const std::string& text, const char* fragment)
{
    return text.find(fragment) != std::string::npos;
}
} // namespace

void OfferFace(const std::string& enumeratedName, std::string& choice, const LeadBytePredicate& isLeadByte)
{
    const std::string name = support::UpperCaseMultiByte(enumeratedName, isLeadByte);
    const std::string current = support::UpperCaseMultiByte(choice, isLeadByte);
    const bool excluded = Contains(name, "BOLD") || Contains(name, "ITALIC");
    for (const char* fragment : kPreferredFragments) {
        if (!choice.empty() && Contains(current, fragment))
            return;
        if (excluded)
            continue;
        if (Contains(name, fragment)) {
            choice = enumeratedName;
            return;
        }
    }
}

int TenthsOfPoint(int pointSize, int logPixelsX)
{
    return logPixelsX > 0 ? pointSize * 960 / logPixelsX : 0;
}

int FontHeightForTenths(int logPixelsY, int tenths)
{
    return -(logPixelsY * tenths / 720);
}

} // namespace ui
