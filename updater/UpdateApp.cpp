#include "UpdateApp.h"

// Header-only owners and helpers: the updater links no code of the menu.
#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Lumbra.exe";

std::string OwnProgramPath()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

// Folder part of a path, ending in its separator (empty when there is none).
std::string FolderOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The updater's own file name without extension: the caption of its box.
std::string AppTitle()
{
    std::string path = OwnProgramPath();
    std::string name = path.substr(FolderOf(path).size());
    std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string LoadMessage(UINT id)
{
    // The texts are UTF-16 in the resource and shown in the ANSI code page.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(::GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}

UINT IconStyle(updater::OutcomeIcon icon)
{
    switch (icon) {
    case updater::OutcomeIcon::Information:
        return MB_ICONINFORMATION;
    case updater::OutcomeIcon::Hand:
        return MB_ICONHAND;
    default:
        return MB_ICONEXCLAMATION;
    }
}
} // namespace

updater::Outcome CUpdateApp::Report(updater::Outcome outcome)
{
    ::MessageBoxA(nullptr, LoadMessage(outcome).c_str(), AppTitle().c_str(),
                  MB_OK | IconStyle(updater::IconOf(outcome)));
    return outcome;
}

updater::Outcome CUpdateApp::Run()
{
    std::string installed;
    bool read = false;
    {
        fw::UniqueRegKey key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_READ, key.receive()) != ERROR_SUCCESS)
            return Report(updater::kNotInstalled);
        read = ReadInstalledPath(key.get(), installed);
    }
    if (!read || !InstalledFileExists(installed))
        return Report(updater::kNotInstalled);

    updater::Decision decision = updater::Decide(ReadVersionFields(installed));
    if (decision.dataFile.empty())
        return Report(decision.stop);
    return Report(CopyDataFile(decision.dataFile, installed) ? updater::kUpdated : updater::kFailed);
}

bool CUpdateApp::ReadInstalledPath(HKEY appPathsKey, std::string& path)
{
    DWORD size = 0;
    ::RegQueryValueExA(appPathsKey, "", nullptr, nullptr, nullptr, &size);
    // One byte more than reported, zero-filled: the text ends at its first
    // zero within what was actually read.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    DWORD filled = size + 1;
    if (::RegQueryValueExA(appPathsKey, "", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &filled) !=
        ERROR_SUCCESS)
        return false;
    size_t limit = filled < buffer.size() ? filled : buffer.size();
    path.assign(buffer.data(), strnlen(buffer.data(), limit));
    return true;
}

bool CUpdateApp::InstalledFileExists(const std::string& path)
{
    WIN32_FIND_DATAA data;
    return static_cast<bool>(fw::UniqueFind(::FindFirstFileA(path.c_str(), &data)));
}

updater::VersionFields CUpdateApp::ReadVersionFields(const std::string& path)
{
    // No resource, no translation or no "FileVersion": three empty fields,
    // which the rules turn into "different version".
    const updater::VersionFields none = updater::SplitVersionFields(std::string(), fw::IsSystemLeadByte);
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return none;
    std::vector<BYTE> block(static_cast<size_t>(size) + 16, 0);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return none;
    void* translation = nullptr;
    UINT translationLength = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &translationLength) ||
        !translation || translationLength < sizeof(DWORD))
        return none;
    DWORD first = 0;
    std::memcpy(&first, translation, sizeof first);
    char subBlock[64];
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04X%04X\\%s", LOWORD(first), HIWORD(first),
                  "FileVersion");
    void* text = nullptr;
    UINT textLength = 0;
    if (!::VerQueryValueA(block.data(), subBlock, &text, &textLength) || !text)
        return none;
    // The length is the resource's own claim: never read past the block.
    const char* begin = static_cast<const char*>(text);
    const char* blockEnd = reinterpret_cast<const char*>(block.data()) + block.size();
    if (begin < reinterpret_cast<const char*>(block.data()) || begin >= blockEnd)
        return none;
    size_t limit = static_cast<size_t>(blockEnd - begin);
    std::string version(begin, strnlen(begin, textLength < limit ? textLength : limit));
    return updater::SplitVersionFields(version, fw::IsSystemLeadByte);
}

bool CUpdateApp::IsOlderBuild(const std::string& installed, const std::string& reference)
{
    return updater::IsOlderBuild(installed, reference);
}

bool CUpdateApp::CopyDataFile(const std::string& dataFileName, const std::string& destination)
{
    std::string source = FolderOf(OwnProgramPath()) + dataFileName;
    // Copy beside the destination first, then swap it in with one rename: an
    // interrupted or failed run leaves the old program untouched. The fixed
    // name means a copy left by an interrupted run is simply overwritten.
    std::string staged = destination + ".update";
    if (!::CopyFileA(source.c_str(), staged.c_str(), FALSE)) {
        ::DeleteFileA(staged.c_str());
        return false;
    }
    if (!::MoveFileExA(staged.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(staged.c_str());
        return false;
    }
    return true;
}
