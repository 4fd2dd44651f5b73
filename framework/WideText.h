// Text of a code page as UTF-16 for the system's wide-only interfaces.
#pragma once

#include <windows.h>

#include <vector>

namespace fw {

// The first `length` bytes of `text` (-1: up to its terminating zero) as
// UTF-16, always followed by one terminating zero; just the zero when the
// bytes cannot be converted. A plain buffer on purpose: std::wstring would
// link the whole wide-string library into the shipped programs.
std::vector<wchar_t> WideText(const char* text, int length, UINT codePage);

} // namespace fw
