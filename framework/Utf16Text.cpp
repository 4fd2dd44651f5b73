#include "Utf16Text.h"

namespace fw {

std::vector<wchar_t> WideText(const char* text, int length, UINT codePage)
{
    std::vector<wchar_t> wide;
    const int chars = length == 0 ? 0 : ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (chars > 0) {
        wide.resize(static_cast<size_t>(chars));
        ::MultiByteToWideChar(codePage, 0, text, length, wide.data(), chars);
        if (length < 0)
            wide.pop_back(); // its own terminating zero
    }
    wide.push_back(L'\0');
    return wide;
}

std::string NarrowText(const wchar_t* text, int length, UINT codePage)
{
    const int bytes =
        text && length > 0 ? ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr) : 0;
    std::string narrow(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(codePage, 0, text, length, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}

} // namespace fw
