// Text and value rules of the settings dialog, kept apart from its window.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// A name as the application list shows it: the first "[CR]" removed unless it
// opens the name, then a leading "[SMALL]" removed. "[SMALL]Print[CR]Service"
// gives "PrintService"; "[CR]Viewer" stays as it is.
std::string StripNameMarkup(std::string name);

// "AutoRun": only 1 means on; the dialog stores 1 or 2, never 0.
inline bool IsAutoStartOn(std::uint32_t stored)
{
    return stored == 1;
}
inline std::uint32_t AutoRunValue(bool checked)
{
    return checked ? 1 : 2;
}

// Only Windows XP (NT platform 2, version 5.1) keeps AutoPlay cancel entries
// for the memory-card marker files.
inline bool IsWindowsXp(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor)
{
    return platformId == 2 && major == 5 && minor == 1;
}

} // namespace settings
