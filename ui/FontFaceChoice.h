// The rules that choose the skin font's face and size, apart from GDI. Face
// names are bytes in the system's ANSI code page; the Japanese fragments of
// the preference list are code page 932 text.
#pragma once

#include <functional>
#include <string>

namespace ui {

// Tells whether a byte starts a two-byte character in the current code page.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// Code page 932's lead bytes, for callers that have no system to ask.
bool IsShiftJisLeadByte(unsigned char byte);

// Upper-cases ASCII letters, leaving the second byte of every two-byte
// character alone (it may look like a letter).
std::string UpperCaseMultiByte(const std::string& text, const LeadBytePredicate& isLeadByte);

// One step of the face enumeration: offers an enumerated face to the current
// choice, which it replaces only when its rank is strictly better. Faces named
// Bold or Italic are never taken.
void OfferFace(const std::string& enumeratedName, std::string& choice, const LeadBytePredicate& isLeadByte);

// Size arithmetic that keeps a point size at the same pixel height whatever
// the screen's DPI: 10 points are 13 pixels at 96, 120 and 144 DPI.
int TenthsOfPoint(int pointSize, int logPixelsX);
int FontHeightForTenths(int logPixelsY, int tenths);

} // namespace ui
