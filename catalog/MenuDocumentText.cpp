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

std::string EscapeAttribute(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string MenuDocumentText(const std::vector<MenuLine>& lines, const std::string& focusId,
                             const std::string& menuSwfFolder, const std::string& encodingName)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"" + encodingName + "\"?>\r\n<menu>\r\n";
    for (const MenuLine& line : lines) {
        text += "  <data id=\"" + EscapeAttribute(line.id) + "\" name=\"" + EscapeAttribute(line.name) +
                "\" infoswf=\"" + EscapeAttribute(menuSwfFolder + line.infoSwf) + "\" execbtn=\"" +
                EscapeAttribute(line.execButton) + "\" icon=\"" + EscapeAttribute(menuSwfFolder + line.icon) + "\"";
        if (!focusId.empty() && line.id == focusId)
            text += " focus=\"true\"";
        text += " />\r\n";
    }
    text += "</menu>\r\n";
    return text;
}

} // namespace catalog
