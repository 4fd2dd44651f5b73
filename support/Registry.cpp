#include "Registry.h"

#include "framework/Handle.h"

#include <cstring>
#include <vector>

const char kProgramKey[] = "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0";

namespace {
fw::UniqueRegKey OpenKey(HKEY hive, const char* subKey, REGSAM access)
{
    fw::UniqueRegKey key;
    if (::RegOpenKeyExA(hive, subKey, 0, access, key.receive()) != ERROR_SUCCESS)
        key.reset();
    return key;
}
} // namespace

RegText RegQueryText(HKEY hive, const char* subKey, const char* valueName)
{
    const auto statusOf = [](LONG result) {
        return result == ERROR_FILE_NOT_FOUND ? RegRead::Absent : RegRead::Failed;
    };
    fw::UniqueRegKey key;
    LONG opened = ::RegOpenKeyExA(hive, subKey, 0, KEY_READ, key.receive());
    if (opened != ERROR_SUCCESS) {
        key.release();
        return {statusOf(opened), std::string()};
    }
    // The value may grow between the size query and the read; a few more
    // tries, then it counts as unreadable.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        LONG sized = ::RegQueryValueExA(key.get(), valueName, nullptr, nullptr, nullptr, &size);
        if (sized != ERROR_SUCCESS)
            return {statusOf(sized), std::string()};
        // One zero byte more than the value needs: text stored without its
        // terminator still reads back whole.
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
        DWORD filled = size + 1;
        LONG read =
            ::RegQueryValueExA(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &filled);
        if (read == ERROR_MORE_DATA)
            continue;
        if (read != ERROR_SUCCESS)
            return {statusOf(read), std::string()};
        // Never read past what was actually written.
        size_t limit = filled < buffer.size() ? filled : buffer.size();
        return {RegRead::Found, std::string(buffer.data(), strnlen(buffer.data(), limit))};
    }
    return {RegRead::Failed, std::string()};
}

std::string RegReadString(HKEY hive, const char* subKey, const char* valueName, const std::string& defaultValue)
{
    RegText read = RegQueryText(hive, subKey, valueName);
    return read.status == RegRead::Found ? read.text : defaultValue;
}

DWORD RegReadDword(HKEY hive, const char* subKey, const char* valueName, DWORD defaultValue)
{
    fw::UniqueRegKey key = OpenKey(hive, subKey, KEY_READ);
    if (!key)
        return defaultValue;
    // Shorter data leaves the upper bytes zero; longer data fails the query.
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return defaultValue;
    return value;
}

bool RegWriteString(HKEY hive, const char* subKey, const char* valueName, const std::string& text)
{
    fw::UniqueRegKey key = OpenKey(hive, subKey, KEY_WRITE);
    if (!key)
        return false;
    // Stored without the terminating zero, as the programs sharing these
    // values have always done; readers add it back.
    return ::RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                            static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

bool RegWriteDword(HKEY hive, const char* subKey, const char* valueName, DWORD value)
{
    fw::UniqueRegKey key = OpenKey(hive, subKey, KEY_WRITE);
    if (!key)
        return false;
    return ::RegSetValueExA(key.get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}
