// Reads the attributes of every element of one name from an XML document
// with the system's MSXML parser. The bytes are decoded with the given code
// page whatever the declaration says, so a document written in the ANSI code
// page reads back as written; attribute texts come back in that code page.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace support {

using XmlAttributes = std::map<std::string, std::string>;

// Far above any menu; a larger document is refused before it is parsed, so
// the reader's memory stays bounded.
constexpr std::size_t kMaxXmlDocumentBytes = 16 * 1024 * 1024;

// Nothing when the parser is unavailable, the document is larger than
// kMaxXmlDocumentBytes, or it is not well formed.
std::optional<std::vector<XmlAttributes>> ReadXmlElements(const std::string& bytes, unsigned codePage,
                                                          const char* elementName);

} // namespace support
