#include "SettingsRules.h"

namespace settings {

namespace {
const char kLineBreak[] = "[CR]";
const char kSmall[] = "[SMALL]";
} // namespace

std::string StripNameMarkup(std::string name)
{
    std::string::size_type mark = name.find(kLineBreak);
    if (mark != std::string::npos && mark > 0)
        name.erase(mark, sizeof kLineBreak - 1);
    if (name.compare(0, sizeof kSmall - 1, kSmall) == 0)
        name.erase(0, sizeof kSmall - 1);
    return name;
}

} // namespace settings
