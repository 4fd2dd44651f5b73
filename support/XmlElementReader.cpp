#include "XmlElementReader.h"

#include "framework/ComPtr.h"
#include "framework/ComValue.h"
#include "framework/GdiGuards.h"
#include "framework/Utf16Text.h"

#include <windows.h>
#include <msxml2.h>
#include <oleauto.h>

#include <string_view>

namespace support {

namespace {
// MSXML 6, with MSXML 3 where 6 is missing. XmlLite is not used: the one Wine
// ships misreads UTF-16 input past its first 8 KB (the menu went blank, then
// hung) and splits UTF-8 characters at its read boundaries.
const CLSID kDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
const CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
const IID kDomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

std::string Narrow(BSTR text, UINT codePage)
{
    return fw::NarrowText(text, static_cast<int>(::SysStringLen(text)), codePage);
}

// The text is handed to the parser already decoded, so its declaration must
// name what the parser gets; only the declaration's encoding value changes.
void DeclareUtf16(std::vector<wchar_t>& text)
{
    const std::wstring_view view(text.data(), text.size() - 1);
    if (view.compare(0, 5, L"<?xml") != 0)
        return;
    const auto end = view.find(L"?>");
    const auto encoding = view.find(L"encoding", 5);
    if (end == view.npos || encoding == view.npos || encoding > end)
        return;
    const auto quote = view.find_first_of(L"\"'", encoding);
    if (quote == view.npos || quote > end)
        return;
    const auto close = view.find(view[quote], quote + 1);
    if (close == view.npos || close > end)
        return;
    const std::wstring_view utf16 = L"UTF-16";
    text.erase(text.begin() + static_cast<std::ptrdiff_t>(quote + 1),
               text.begin() + static_cast<std::ptrdiff_t>(close));
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(quote + 1), utf16.begin(), utf16.end());
}

fw::ComPtr<IXMLDOMDocument2> NewDocument()
{
    fw::ComPtr<IXMLDOMDocument2> document;
    for (const CLSID* clsid : {&kDomDocument60, &kDomDocument30})
        if (SUCCEEDED(::CoCreateInstance(*clsid, nullptr, CLSCTX_INPROC_SERVER, kDomDocument2, document.receiveVoid())))
            break;
    if (!document)
        return document;
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    fw::UniqueVariant prohibit;
    prohibit.get()->vt = VT_BOOL;
    prohibit.get()->boolVal = VARIANT_TRUE;
    fw::UniqueBstr name = fw::NewBstr(L"ProhibitDTD");
    document->setProperty(name.get(), *prohibit.get());
    return document;
}

XmlAttributes ReadAttributes(IXMLDOMNode* element, UINT codePage)
{
    XmlAttributes attributes;
    fw::ComPtr<IXMLDOMNamedNodeMap> map;
    long count = 0;
    if (FAILED(element->get_attributes(map.receive())) || !map || FAILED(map->get_length(&count)))
        return attributes;
    for (long i = 0; i < count; ++i) {
        fw::ComPtr<IXMLDOMNode> attribute;
        fw::UniqueBstr name;
        fw::UniqueBstr value;
        if (SUCCEEDED(map->get_item(i, attribute.receive())) && attribute &&
            SUCCEEDED(attribute->get_nodeName(name.receive())) && SUCCEEDED(attribute->get_text(value.receive())))
            attributes[Narrow(name.get(), codePage)] = Narrow(value.get(), codePage);
    }
    return attributes;
}
} // namespace

std::optional<std::vector<XmlAttributes>> ReadXmlElements(const std::string& bytes, unsigned codePage,
                                                          const char* elementName)
{
    if (bytes.size() > kMaxXmlDocumentBytes)
        return std::nullopt;
    fw::ScopedComInit com;
    fw::ComPtr<IXMLDOMDocument2> document = NewDocument();
    if (!document)
        return std::nullopt;

    // Decoded here with the code page the bytes were written in: the parser
    // does not know every code page a declaration may name.
    std::vector<wchar_t> text = fw::WideText(bytes.data(), static_cast<int>(bytes.size()), codePage);
    DeclareUtf16(text);
    fw::UniqueBstr source = fw::NewBstr(text.data(), static_cast<UINT>(text.size() - 1));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (!source.get() || FAILED(document->loadXML(source.get(), &loaded)) || loaded != VARIANT_TRUE)
        return std::nullopt;
    // Refused even where the parser would not prohibit it itself.
    fw::ComPtr<IXMLDOMDocumentType> doctype;
    if (SUCCEEDED(document->get_doctype(doctype.receive())) && doctype)
        return std::nullopt;

    fw::UniqueBstr tag = fw::NewBstr(fw::WideText(elementName, -1, CP_ACP).data());
    fw::ComPtr<IXMLDOMNodeList> nodes;
    long count = 0;
    if (FAILED(document->getElementsByTagName(tag.get(), nodes.receive())) || !nodes ||
        FAILED(nodes->get_length(&count)))
        return std::nullopt;
    std::vector<XmlAttributes> elements;
    elements.reserve(static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        fw::ComPtr<IXMLDOMNode> node;
        if (FAILED(nodes->get_item(i, node.receive())) || !node)
            return std::nullopt;
        elements.push_back(ReadAttributes(node.get(), codePage));
    }
    return elements;
}

} // namespace support
