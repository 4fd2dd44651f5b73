// Reads a document the way an XML reader of the ANSI code page would, with
// expat, a strict XML 1.0 parser: a lead byte takes the next byte as its
// second byte whatever it is, so a lone lead byte before a quote or a markup
// character breaks the document here as it would for the real reader.
// Attribute values come back as the ANSI bytes they stand for. Host only.
#pragma once

#include "support/MultiByteText.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
};

// The elements in document order, or nothing when the document is not
// well-formed or does not declare `encodingName`; *error then says why.
std::optional<std::vector<XmlElement>> ParseAnsiXml(const std::string& document, const std::string& encodingName,
                                                    const support::LeadBytePredicate& isLeadByte,
                                                    std::string* error = nullptr);

} // namespace testing_support
