#include "UpdateApp.h"

#include "ReplacementRules.h"

// Header-only owners and helpers: the updater links no code of the menu.
#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"

#include <winver.h>

#include <cstring>

namespace {
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Lumbra.exe";

// The version functions, from the system's own VERSION.dll: the library is
// no known one of the system, so a static import would be looked for in the
// updater's folder first, a downloads folder where anyone may plant one.
struct VersionFunctions {
    decltype(&::GetFileVersionInfoSizeA) infoSize;
    decltype(&::GetFileVersionInfoA) info;
    decltype(&::VerQueryValueA) query;
};
VersionFunctions g_version = {nullptr, nullptr, nullptr};

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

void CUpdateApp::UseSystemLibrariesOnly()
{
    // Where the system has it (from Windows 8, and 7 with its update), every
    // library the updater or the system loads for it comes from the system
    // folder; everywhere the current folder is out of the search.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDirectories>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryA("");

    char path[MAX_PATH];
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    const char name[] = "\\version.dll";
    if (length == 0 || length + sizeof name > MAX_PATH)
        return;
    std::memcpy(path + length, name, sizeof name);
    // Loaded for the whole run; the process's end frees it.
    HMODULE version = ::LoadLibraryA(path);
    if (!version)
        return;
    g_version.infoSize = fw::ExportOf<decltype(&::GetFileVersionInfoSizeA)>(version, "GetFileVersionInfoSizeA");
    g_version.info = fw::ExportOf<decltype(&::GetFileVersionInfoA)>(version, "GetFileVersionInfoA");
    g_version.query = fw::ExportOf<decltype(&::VerQueryValueA)>(version, "VerQueryValueA");
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

    const updater::VersionFields fields = ReadVersionFields(installed.get());
    updater::Decision decision = updater::Decide(fields);
    if (!decision.dataFile)
        return Report(decision.stop);
    return Report(CopyDataFile(decision.dataFile, installed.get(), fields) ? updater::kUpdated : updater::kFailed);
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
    DWORD type = REG_NONE;
    if (::RegQueryValueExA(appPathsKey, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer.get()), &filled) !=
        ERROR_SUCCESS)
        return HeapText();
    // As Windows writes these values: "%ProgramFiles%\..." in an expandable
    // text, a path in quotes.
    if (type == REG_EXPAND_SZ) {
        DWORD needed = ::ExpandEnvironmentStringsA(buffer.get(), nullptr, 0);
        HeapText expanded = needed ? ZeroedText(needed + 1) : HeapText();
        if (!expanded || ::ExpandEnvironmentStringsA(buffer.get(), expanded.get(), needed + 1) == 0)
            return HeapText();
        buffer = static_cast<HeapText&&>(expanded);
    }
    std::string_view path = updater::InstalledPathText(buffer.get(), fw::IsSystemLeadByte);
    if (path.empty())
        return HeapText();
    return Concat(path, std::string_view());
}

bool CUpdateApp::InstalledFileExists(const char* path)
{
    WIN32_FIND_DATAA data;
    fw::UniqueFind find(::FindFirstFileA(path, &data));
    // A folder of that name is no installed program.
    return find && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

updater::VersionFields CUpdateApp::ReadVersionFields(const char* path)
{
    // No resource, no translation or no "FileVersion": three empty fields,
    // which the rules turn into "different version".
    const updater::VersionFields none = updater::SplitVersionFields(std::string_view(), fw::IsSystemLeadByte);
    if (!g_version.infoSize || !g_version.info || !g_version.query)
        return none;
    DWORD handle = 0;
    DWORD size = g_version.infoSize(path, &handle);
    if (size == 0 || size > MAXDWORD - 16)
        return none;
    size_t blockSize = static_cast<size_t>(size) + 16;
    HeapText block = ZeroedText(blockSize);
    if (!block || !g_version.info(path, 0, size, block.get()))
        return none;
    void* translation = nullptr;
    UINT translationLength = 0;
    if (!g_version.query(block.get(), "\\VarFileInfo\\Translation", &translation, &translationLength) || !translation ||
        translationLength < sizeof(DWORD))
        return none;
    DWORD first = 0;
    std::memcpy(&first, translation, sizeof first);
    char subBlock[64];
    ::wsprintfA(subBlock, "\\StringFileInfo\\%04X%04X\\%s", LOWORD(first), HIWORD(first), "FileVersion");
    void* text = nullptr;
    UINT textLength = 0;
    if (!g_version.query(block.get(), subBlock, &text, &textLength) || !text)
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

bool CUpdateApp::IsReplacementImage(const char* path, const updater::VersionFields& installed)
{
    fw::UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    unsigned char header[4096];
    DWORD read = 0;
    if (!file || !::ReadFile(file.get(), header, sizeof header, &read, nullptr) ||
        !updater::IsProgramImage(header, read))
        return false;
    file.reset();
    return updater::IsReplacementFor(installed, ReadVersionFields(path));
}

bool CUpdateApp::FlushFile(const char* path)
{
    fw::UniqueFile file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && ::FlushFileBuffers(file.get());
}

bool CUpdateApp::CopyDataFile(const char* dataFileName, const char* destination,
                              const updater::VersionFields& installed)
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
    // A read-only data file would make the program read-only, and every
    // later update fail. What is swapped in must be the menu program of this
    // line, no older than the installed one, and on the disk.
    if (!::CopyFileA(source.get(), staged.get(), FALSE) || !::SetFileAttributesA(staged.get(), FILE_ATTRIBUTE_NORMAL) ||
        !IsReplacementImage(staged.get(), installed) || !FlushFile(staged.get()) ||
        !::MoveFileExA(staged.get(), destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(staged.get());
        return false;
    }
    return true;
}
