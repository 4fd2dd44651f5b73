// Reads the attributes of every element of one name from an XML document
// with the system's XmlLite parser. The bytes are decoded with the given code
// page whatever the declaration says, so a document written in the ANSI code
// page reads back as written. Attribute texts come back in the ANSI code page.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace support {

using XmlAttributes = std::map<std::string, std::string>;

// Nothing when the parser is unavailable or the document is not well formed.
std::optional<std::vector<XmlAttributes>> ReadXmlElements(const std::string& bytes, unsigned codePage,
                                                          const char* elementName);

} // namespace support
