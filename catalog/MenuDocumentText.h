// The text of the menu document "PortalApp.xml" that the movie reads: one
// data line per listed visible entry, CRLF line ends, bytes in the system's
// ANSI code page. Attribute values are written so that any text a record may
// hold leaves the document well-formed and reads back as written: markup
// characters are escaped, tab, line feed and carriage return become
// character references (a reader would turn them into blanks), and what XML
// cannot carry is left out of the document: the other control characters,
// and a lead byte without its second byte, which would swallow the closing
// quote. The records themselves, and so the entry ids in "Sort", keep every
// byte.
#pragma once

#include "support/MultiByteText.h"

#include <string>
#include <vector>

namespace catalog {

struct MenuLine {
    std::string id;
    std::string name;
    std::string infoSwf;
    std::string execButton;
    std::string icon;
};

// The encoding name the declaration gives for an ANSI code page.
std::string EncodingNameForCodePage(unsigned codePage);

std::string EscapeAttribute(const std::string& text, const support::LeadBytePredicate& isLeadByte);

std::string MenuDocumentText(const std::vector<MenuLine>& lines, const std::string& focusId,
                             const std::string& menuSwfFolder, const std::string& encodingName,
                             const support::LeadBytePredicate& isLeadByte);

} // namespace catalog
