// The text of the menu document "PortalApp.xml" that the movie reads: one
// data line per listed visible entry, CRLF line ends, bytes in the system's
// ANSI code page. Attribute values are escaped so that any name survives an
// XML reader.
#pragma once

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

std::string EscapeAttribute(const std::string& text);

std::string MenuDocumentText(const std::vector<MenuLine>& lines, const std::string& focusId,
                             const std::string& menuSwfFolder, const std::string& encodingName);

} // namespace catalog
