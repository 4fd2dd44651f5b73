#include "AppCatalog.h"

#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"
#include "support/OneIntFormat.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"

#include <shlobj.h>

#include <cstring>

namespace {
const char kSuiteFolder[] = "\\Orva Corporation\\Nembo Dereze\\";

std::string ProgramFilesFolder()
{
    char folder[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
        return folder;
    // Where the shell cannot tell, the environment usually can.
    DWORD length = ::GetEnvironmentVariableA("ProgramFiles", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return folder;
    return "C:\\Program Files";
}

// The plug-in's GetInfo code negated for the warning, without overflowing
// on the most negative code.
std::int32_t Negated(std::int32_t code)
{
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(code));
}

void ShowPluginWarning(const std::string& entryId, std::int32_t code)
{
    std::string format = g_pResourceLibrary ? g_pResourceLibrary->LoadText(IDS_PLUGIN_ERROR) : std::string();
    std::string text = support::FormatOneInt(format, Negated(code));
    ::MessageBoxA(nullptr, text.c_str(), entryId.c_str(), MB_OK | MB_ICONWARNING);
}
} // namespace

const char kMenuDocumentName[] = "PortalApp.xml";

CAppCatalog::CAppCatalog()
{
    std::string suite = ProgramFilesFolder() + kSuiteFolder;
    m_appInfoFolder = suite + "AppInfo\\";
    m_menuSwfFolder = suite + "MenuSwf\\";
}

CAppCatalog::CAppCatalog(std::string appInfoFolder, std::string menuSwfFolder)
    : m_appInfoFolder(std::move(appInfoFolder)), m_menuSwfFolder(std::move(menuSwfFolder))
{
}

int CAppCatalog::Refresh()
{
    Discover();
    LoadHidden();
    return ComputeVisible();
}

int CAppCatalog::Discover()
{
    m_entries.clear();
    WIN32_FIND_DATAA data;
    fw::UniqueFind find(::FindFirstFileA((m_appInfoFolder + "*.dll").c_str(), &data));
    if (!find)
        return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (IsListed(data.cFileName))
            m_entries.push_back(data.cFileName);
    } while (::FindNextFileA(find.get(), &data));
    return static_cast<int>(m_entries.size());
}

bool CAppCatalog::IsListed(const std::string& entryId) const
{
    std::unique_ptr<CAppRecord> record = LoadEntry(entryId);
    return record && record->IsListed();
}

std::unique_ptr<CAppRecord> CAppCatalog::LoadEntry(const std::string& entryId) const
{
    // Only a library in the AppInfo folder itself, by its absolute path.
    if (!catalog::IsPlainFileName(entryId, fw::IsSystemLeadByte))
        return nullptr;
    fw::UniqueLibrary library(::LoadLibraryA((m_appInfoFolder + entryId).c_str()));
    if (!library)
        return nullptr;
    auto getInfo = fw::ExportOf<LumbraGetInfoProc>(library.get(), "GetInfo");
    if (!getInfo)
        return nullptr;
    std::optional<std::size_t> size = catalog::RecordAllocationSize(getInfo(0, nullptr));
    if (!size)
        return nullptr;
    auto record = std::make_unique<CAppRecord>(*size);
    std::uint32_t cbSize = LUMBRA_APPENTRY_SIZE;
    std::memcpy(record->Data(), &cbSize, sizeof cbSize);
    std::int32_t result = getInfo(0, reinterpret_cast<AppEntry*>(record->Data()));
    if (result < 0) {
        record.reset();
        ShowPluginWarning(entryId, result);
        return nullptr;
    }
    catalog::ValidateRecord(record->Data(), record->Size());
    return record;
}

int CAppCatalog::LoadHidden()
{
    m_hidden.clear();
    return ReadList("NoUse", m_hidden);
}

int CAppCatalog::ComputeVisible()
{
    m_visible = catalog::VisibleEntries(m_entries, m_hidden);
    return static_cast<int>(m_visible.size());
}

int CAppCatalog::ApplyOrder(const char* valueName)
{
    catalog::IdList stored;
    ReadList(valueName, stored);
    catalog::OrderResult ordered = catalog::ApplyStoredOrder(stored, m_entries, m_newEntry);
    m_entries = std::move(ordered.entries);
    m_newEntry = std::move(ordered.newEntry);
    ComputeVisible();
    return static_cast<int>(m_entries.size());
}

int CAppCatalog::SaveOrder(const char* valueName)
{
    RegWriteString(HKEY_CURRENT_USER, kProgramKey, "NoUse", catalog::JoinStoredList(m_hidden));
    RegWriteString(HKEY_CURRENT_USER, kProgramKey, valueName, catalog::JoinStoredList(m_entries));
    return 0;
}

int CAppCatalog::ReadList(const char* valueName, catalog::IdList& list) const
{
    catalog::IdList stored = catalog::ParseStoredList(RegReadString(HKEY_CURRENT_USER, kProgramKey, valueName, ""));
    list.insert(list.end(), stored.begin(), stored.end());
    return static_cast<int>(list.size());
}
