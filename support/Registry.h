// One registry value per call: each helper opens its key, reads or writes the
// value and closes the key again. Reads fall back to the caller's default;
// writes never create a key, so a deleted key stays deleted until start-up.
#pragma once

#include <windows.h>

#include <string>

std::string RegReadString(HKEY hive, const char* subKey, const char* valueName, const std::string& defaultValue);

// A text read that tells a value that is not there (no key or no value) from
// one that is there but could not be read (access denied, or a value that
// kept changing while it was read): a caller that writes back what it read
// must not replace a value it could not read.
enum class RegRead { Found, Absent, Failed };
struct RegText {
    RegRead status;
    std::string text; // empty unless found
};
RegText RegQueryText(HKEY hive, const char* subKey, const char* valueName);

DWORD RegReadDword(HKEY hive, const char* subKey, const char* valueName, DWORD defaultValue);
bool RegWriteString(HKEY hive, const char* subKey, const char* valueName, const std::string& text);
bool RegWriteDword(HKEY hive, const char* subKey, const char* valueName, DWORD value);

// The program's own per-user and per-machine key.
extern const char kProgramKey[];
