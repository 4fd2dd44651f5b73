// Texts of a code page to and from UTF-16, for the system's wide-only
// interfaces (COM, the picture decoder, the XML parser).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fw {

// The first `length` bytes of `text` (-1: up to its terminating zero) as
// UTF-16, always followed by one terminating zero; just the zero when the
// bytes cannot be converted. A plain buffer on purpose: std::wstring would
// link the whole wide-string library into the shipped programs.
std::vector<wchar_t> WideText(const char* text, int length, UINT codePage);

// `length` UTF-16 characters as text of the code page; empty when there are
// none or they cannot be converted.
std::string NarrowText(const wchar_t* text, int length, UINT codePage);

} // namespace fw
