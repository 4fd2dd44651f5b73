// The rules that choose the skin font's face and size, apart from GDI. Face
// names are bytes in the system's ANSI code page; the Japanese fragments of
// the preference list are code page 932 text.
#pragma once

#include "support/MultiByteText.h"

#include <string>

namespace ui {

using support::LeadBytePredicate;

// One step of the face enumeration: offers an enumerated face to the current
// choice, which it replaces only when its rank is strictly better. Faces named
// Bold or Italic are never taken.
void OfferFace(const std::string& enumeratedName, std::string& choice, const LeadBytePredicate& isLeadByte);

// Size arithmetic that keeps a point size at the same pixel height whatever
// the screen's DPI: 10 points are 13 pixels at 96, 120 and 144 DPI.
int TenthsOfPoint(int pointSize, int logPixelsX);
int FontHeightForTenths(int logPixelsY, int tenths);

} // namespace ui
