#include "UpdateApp.h"

// Header-only owners and helpers: the updater links no code of the menu.
#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"

#include <cstring>

namespace {
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Lumbra.exe";

// A zero-filled buffer of `size` bytes, `size` >= 1.
HeapText ZeroedText(size_t size)
{
    return HeapText(static_cast<char*>(std::calloc(size, 1)));
}

HeapText Concat(std::string_view first, std::string_view second)
{
    HeapText text = ZeroedText(first.size() + second.size() + 1);
    // An empty view may have no data at all: copy only what is there.
    if (text && !first.empty())
        std::memcpy(text.get(), first.data(), first.size());
    if (text && !second.empty())
        std::memcpy(text.get() + first.size(), second.data(), second.size());
    return text;
}

// The updater's own program file (empty when the path does not fit).
void OwnProgramPath(char (&path)[MAX_PATH])
{
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        path[0] = '\0';
}

// Folder part of a path, ending in its separator (empty when there is none).
std::string_view FolderOf(std::string_view path)
{
    std::string_view::size_type slash = path.find_last_of("\\/");
    // Built by hand rather than by substr, which may throw.
    return slash == std::string_view::npos ? std::string_view() : std::string_view(path.data(), slash + 1);
}

// The updater's own file name without extension: the caption of its box.
void AppTitle(char (&title)[MAX_PATH])
{
    OwnProgramPath(title);
    std::string_view path(title);
    std::size_t folder = FolderOf(path).size();
    std::string_view name(path.data() + folder, path.size() - folder);
    std::string_view::size_type dot = name.rfind('.');
    if (dot != std::string_view::npos && dot != 0)
        name = std::string_view(name.data(), dot);
    std::memmove(title, name.data(), name.size());
    title[name.size()] = '\0';
}

HeapText LoadMessage(UINT id)
{
    // The texts are UTF-16 in the resource and shown in the ANSI code page.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(::GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    int bytes = length > 0 && text ? ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr) : 0;
    HeapText ansi = ZeroedText(static_cast<size_t>(bytes > 0 ? bytes : 0) + 1);
    if (ansi && bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, ansi.get(), bytes, nullptr, nullptr);
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
    HeapText text = LoadMessage(outcome);
    char title[MAX_PATH];
    AppTitle(title);
    ::MessageBoxA(nullptr, text ? text.get() : "", title, MB_OK | IconStyle(updater::IconOf(outcome)));
    return outcome;
}

updater::Outcome CUpdateApp::Run()
{
    HeapText installed;
    {
        fw::UniqueRegKey key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_READ, key.receive()) != ERROR_SUCCESS)
            return Report(updater::kNotInstalled);
        installed = ReadInstalledPath(key.get());
    }
    if (!installed || !InstalledFileExists(installed.get()))
        return Report(updater::kNotInstalled);

    updater::Decision decision = updater::Decide(ReadVersionFields(installed.get()));
    if (!decision.dataFile)
        return Report(decision.stop);
    return Report(CopyDataFile(decision.dataFile, installed.get()) ? updater::kUpdated : updater::kFailed);
}

HeapText CUpdateApp::ReadInstalledPath(HKEY appPathsKey)
{
    DWORD size = 0;
    ::RegQueryValueExA(appPathsKey, "", nullptr, nullptr, nullptr, &size);
    if (size >= MAXDWORD - 1)
        return HeapText();
    // One byte more than reported, zero-filled, and one more that is never
    // handed out: the text ends at its first zero within what was read.
    HeapText buffer = ZeroedText(static_cast<size_t>(size) + 2);
    if (!buffer)
        return HeapText();
    DWORD filled = size + 1;
    if (::RegQueryValueExA(appPathsKey, "", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.get()), &filled) !=
        ERROR_SUCCESS)
        return HeapText();
    return buffer;
}

bool CUpdateApp::InstalledFileExists(const char* path)
{
    WIN32_FIND_DATAA data;
    fw::UniqueFind find(::FindFirstFileA(path, &data));
    return static_cast<bool>(find);
}

updater::VersionFields CUpdateApp::ReadVersionFields(const char* path)
{
    // No resource, no translation or no "FileVersion": three empty fields,
    // which the rules turn into "different version".
    const updater::VersionFields none = updater::SplitVersionFields(std::string_view(), fw::IsSystemLeadByte);
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0 || size > MAXDWORD - 16)
        return none;
    size_t blockSize = static_cast<size_t>(size) + 16;
    HeapText block = ZeroedText(blockSize);
    if (!block || !::GetFileVersionInfoA(path, 0, size, block.get()))
        return none;
    void* translation = nullptr;
    UINT translationLength = 0;
    if (!::VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", &translation, &translationLength) ||
        !translation || translationLength < sizeof(DWORD))
        return none;
    DWORD first = 0;
    std::memcpy(&first, translation, sizeof first);
    char subBlock[64];
    ::wsprintfA(subBlock, "\\StringFileInfo\\%04X%04X\\%s", LOWORD(first), HIWORD(first), "FileVersion");
    void* text = nullptr;
    UINT textLength = 0;
    if (!::VerQueryValueA(block.get(), subBlock, &text, &textLength) || !text)
        return none;
    // The length is the resource's own claim: never read past the block.
    const char* begin = static_cast<const char*>(text);
    const char* blockEnd = block.get() + blockSize;
    if (begin < block.get() || begin >= blockEnd)
        return none;
    size_t limit = static_cast<size_t>(blockEnd - begin);
    std::string_view version(begin, strnlen(begin, textLength < limit ? textLength : limit));
    return updater::SplitVersionFields(version, fw::IsSystemLeadByte);
}

bool CUpdateApp::IsOlderBuild(std::string_view installed, std::string_view reference)
{
    return updater::IsOlderBuild(installed, reference);
}

bool CUpdateApp::CopyDataFile(const char* dataFileName, const char* destination)
{
    char own[MAX_PATH];
    OwnProgramPath(own);
    // Without its own folder the updater would copy a data file of that name
    // from the current folder: nothing is copied then.
    if (FolderOf(own).empty())
        return false;
    HeapText source = Concat(FolderOf(own), dataFileName);
    // Copy beside the destination first, then swap it in with one rename: an
    // interrupted or failed run leaves the old program untouched. The fixed
    // name means a copy left by an interrupted run is simply overwritten,
    // even a read-only one.
    HeapText staged = Concat(destination, ".update");
    if (!source || !staged || std::strlen(staged.get()) >= MAX_PATH)
        return false;
    ::SetFileAttributesA(staged.get(), FILE_ATTRIBUTE_NORMAL);
    if (!::CopyFileA(source.get(), staged.get(), FALSE)) {
        ::DeleteFileA(staged.get());
        return false;
    }
    // A read-only data file would make the program read-only, and every
    // later update fail.
    ::SetFileAttributesA(staged.get(), FILE_ATTRIBUTE_NORMAL);
    if (!::MoveFileExA(staged.get(), destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(staged.get());
        return false;
    }
    return true;
}
