#include "MenuDocumentText.h"

namespace catalog {

std::string EncodingNameForCodePage(unsigned codePage)
{
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "EUC-KR";
    case 950:
        return "Big5";
    case 65001:
        return "UTF-8";
    default:
        // 874 and 1250 to 1258 are registered under these names.
        return "windows-" + std::to_string(codePage);
    }
}

namespace {
// Every code page's second bytes are 0x40 or above; every markup character
// and every control character is below.
bool IsPossibleTrailByte(unsigned char byte)
{
    return byte >= 0x40;
}

void AppendSingleByte(std::string& out, unsigned char c)
{
    switch (c) {
    case '&':
        out += "&amp;";
        return;
    case '<':
        out += "&lt;";
        return;
    case '>':
        out += "&gt;";
        return;
    case '"':
        out += "&quot;";
        return;
    case '\t':
        out += "&#9;";
        return;
    case '\n':
        out += "&#10;";
        return;
    case '\r':
        out += "&#13;";
        return;
    default:
        if (c >= 0x20)
            out += static_cast<char>(c);
        // XML 1.0 has no way to write the other control characters.
    }
}
} // namespace

std::string EscapeAttribute(const std::string& text, const support::LeadBytePredicate& isLeadByte)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!isLeadByte(c)) {
            AppendSingleByte(escaped, c);
        } else if (i + 1 < text.size() && IsPossibleTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            escaped += text[i];
            escaped += text[++i];
        }
        // A lead byte without its second byte is left out.
    }
    return escaped;
}

std::string MenuDocumentText(const std::vector<MenuLine>& lines, const std::string& focusId,
                             const std::string& menuSwfFolder, const std::string& encodingName,
                             const support::LeadBytePredicate& isLeadByte)
{
    auto attribute = [&isLeadByte](const std::string& text) { return EscapeAttribute(text, isLeadByte); };
    std::string text = "<?xml version=\"1.0\" encoding=\"" + encodingName + "\"?>\r\n<menu>\r\n";
    for (const MenuLine& line : lines) {
        text += "  <data id=\"" + attribute(line.id) + "\" name=\"" + attribute(line.name) + "\" infoswf=\"" +
                attribute(menuSwfFolder + line.infoSwf) + "\" execbtn=\"" + attribute(line.execButton) + "\" icon=\"" +
                attribute(menuSwfFolder + line.icon) + "\"";
        if (!focusId.empty() && line.id == focusId)
            text += " focus=\"true\"";
        text += " />\r\n";
    }
    text += "</menu>\r\n";
    return text;
}

} // namespace catalog
