// The menu document for any texts: it must parse in a strict XML parser,
// the ids must come back exactly, and every text must come back less only
// the bytes XML cannot hold (control characters other than tab, line feed
// and carriage return; lead bytes without their second byte). Input: one
// flag byte (bit 0: code page 932, else 1252; the rest picks the focus),
// then zero-separated texts: the MenuSwf folder, then id, name, infoSwf,
// execButton and icon of each line.
#include "catalog/MenuDocumentText.h"
#include "tests/common/StrictXml.h"

#include <cassert>

using catalog::MenuLine;

namespace {
bool MayBeLeftOut(unsigned char c, const support::LeadBytePredicate& isLeadByte)
{
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || isLeadByte(c);
}

// Read back is the text less bytes that may be left out; a text with none
// to leave out (a lead byte leaves out with its second byte missing or below
// 0x40) comes back whole.
void CheckReadBack(const std::string& written, const std::string& readBack,
                   const support::LeadBytePredicate& isLeadByte)
{
    bool clean = true;
    for (std::size_t i = 0; clean && i < written.size(); ++i) {
        auto c = static_cast<unsigned char>(written[i]);
        clean = isLeadByte(c) ? i + 1 < written.size() && static_cast<unsigned char>(written[++i]) >= 0x40
                              : !MayBeLeftOut(c, isLeadByte);
    }
    std::size_t j = 0;
    for (char c : written) {
        if (j < readBack.size() && readBack[j] == c)
            ++j;
        else
            assert(MayBeLeftOut(static_cast<unsigned char>(c), isLeadByte));
    }
    assert(j == readBack.size() && (!clean || readBack == written));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool japanese = data[0] & 1;
    const support::LeadBytePredicate isLeadByte = [japanese](unsigned char c) {
        return japanese && support::IsShiftJisLeadByte(c);
    };
    const std::string encoding = japanese ? "Shift_JIS" : "windows-1252";
    std::vector<std::string> texts(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0)
            texts.emplace_back();
        else
            texts.back() += static_cast<char>(data[i]);
    }
    const std::string folder = texts[0];
    std::vector<MenuLine> lines;
    for (std::size_t i = 1; i < texts.size(); i += 5) {
        texts.resize(std::max(texts.size(), i + 5));
        lines.push_back({texts[i], texts[i + 1], texts[i + 2], texts[i + 3], texts[i + 4]});
    }
    std::size_t focusLine = data[0] >> 1;
    std::string focus = focusLine < lines.size() ? lines[focusLine].id : std::string();

    std::string document = catalog::MenuDocumentText(lines, focus, folder, encoding, isLeadByte);
    auto elements = testing_support::ParseAnsiXml(document, encoding, isLeadByte);
    assert(elements.has_value());
    assert(elements->size() == lines.size() + 1 && (*elements)[0].name == "menu");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const MenuLine& line = lines[i];
        auto& attributes = (*elements)[i + 1].attributes;
        bool focused = !focus.empty() && line.id == focus;
        assert(attributes.size() == (focused ? 6u : 5u));
        assert(!focused || attributes["focus"] == "true");
        CheckReadBack(line.id, attributes["id"], isLeadByte);
        CheckReadBack(line.name, attributes["name"], isLeadByte);
        CheckReadBack(folder + line.infoSwf, attributes["infoswf"], isLeadByte);
        CheckReadBack(line.execButton, attributes["execbtn"], isLeadByte);
        CheckReadBack(folder + line.icon, attributes["icon"], isLeadByte);
    }
    return 0;
}
