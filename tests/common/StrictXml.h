// Reads a document the way an XML reader of the ANSI code page would, with
// expat, a strict XML 1.0 parser: a lead byte takes the next byte as its
// second byte whatever it is, so a lone lead byte before a quote or a markup
// character breaks the document here as it would for the real reader.
// Attribute values come back as the ANSI bytes they stand for. Host only.
#pragma once

#include "support/MultiByteText.h"

#include <expat.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
};

namespace strict_xml {
// Single bytes above 0x7F stand for U+0080..U+00FF, two-byte characters for
// U+4E00 + ((lead - 0x80) << 8 | trail): all XML characters, and the bytes
// come back unchanged from them.
constexpr int kPairBase = 0x4E00;

struct Context {
    std::string encodingName;
    support::LeadBytePredicate isLeadByte;
    std::vector<XmlElement> elements;
    bool badText = false;
};

inline int XMLCALL ConvertPair(void*, const char* s)
{
    auto lead = static_cast<unsigned char>(s[0]);
    auto trail = static_cast<unsigned char>(s[1]);
    return trail < 0x40 ? -1 : kPairBase + ((lead - 0x80) << 8 | trail);
}

inline int XMLCALL OnUnknownEncoding(void* data, const XML_Char* name, XML_Encoding* info)
{
    auto* context = static_cast<Context*>(data);
    if (context->encodingName != name)
        return XML_STATUS_ERROR;
    *info = {{}, nullptr, ConvertPair, nullptr};
    for (int b = 0; b < 256; ++b)
        info->map[b] = b >= 0x80 && context->isLeadByte(static_cast<unsigned char>(b)) ? -2 : b;
    return XML_STATUS_OK;
}

// Expat hands out UTF-8; back to the bytes the code points stand for.
inline bool ToAnsi(const std::string& utf8, std::string& ansi)
{
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (i + length > utf8.size())
            return false;
        unsigned codePoint = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            codePoint = codePoint << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (codePoint >= kPairBase && codePoint < kPairBase + 0x8000)
            ansi += static_cast<char>(0x80 + ((codePoint - kPairBase) >> 8));
        else if (codePoint >= 0x100)
            return false;
        ansi += static_cast<char>(codePoint & 0xFF);
    }
    return true;
}

inline void XMLCALL OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto* context = static_cast<Context*>(data);
    XmlElement element{name, {}};
    for (int i = 0; attributes[i]; i += 2)
        context->badText |= !ToAnsi(attributes[i + 1], element.attributes[attributes[i]]);
    context->elements.push_back(std::move(element));
}
} // namespace strict_xml

// The elements in document order, or nothing when the document is not
// well-formed or does not declare `encodingName`; *error then says why.
inline std::optional<std::vector<XmlElement>> ParseAnsiXml(const std::string& document, const std::string& encodingName,
                                                           const support::LeadBytePredicate& isLeadByte,
                                                           std::string* error = nullptr)
{
    using namespace strict_xml;
    Context context{encodingName, isLeadByte, {}, false};
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr), XML_ParserFree);
    XML_SetUserData(parser.get(), &context);
    XML_SetUnknownEncodingHandler(parser.get(), OnUnknownEncoding, &context);
    XML_SetStartElementHandler(parser.get(), OnStartElement);
    bool parsed = XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    if (parsed && !context.badText)
        return std::move(context.elements);
    if (error)
        *error = parsed ? "attribute holds a character outside the code page"
                        : std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
                              std::to_string(XML_GetCurrentLineNumber(parser.get())) + ", column " +
                              std::to_string(XML_GetCurrentColumnNumber(parser.get()));
    return std::nullopt;
}

} // namespace testing_support
