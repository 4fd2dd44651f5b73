#include "AppCatalog.h"

#include "PluginHost.h"

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

int CAppCatalog::Refresh(const StepHandler& onStep)
{
    Discover(onStep);
    LoadHidden();
    ComputeVisible();
    return static_cast<int>(m_visible.size());
}

void CAppCatalog::Discover(const StepHandler& onStep)
{
    m_entries.clear();
    m_setAside.clear();
    m_bStopped = false;
    // The whole folder first, so that progress knows the total; the order is
    // the search's.
    std::vector<std::string> ids;
    std::vector<catalog::LibraryIdentity> libraries;
    WIN32_FIND_DATAA data;
    fw::UniqueFind find(::FindFirstFileA((m_appInfoFolder + "*.dll").c_str(), &data));
    if (find) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
            ids.push_back(data.cFileName);
            libraries.push_back({m_appInfoFolder + data.cFileName, join(data.nFileSizeHigh, data.nFileSizeLow),
                                 join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)});
        } while (::FindNextFileA(find.get(), &data));
    }
    CPluginHost& host = CPluginHost::Instance();
    host.NoteFolderContents(m_appInfoFolder, libraries);
    const int total = static_cast<int>(ids.size());
    for (int i = 0; i < total; ++i) {
        std::unique_ptr<CAppRecord> record;
        if (host.IsSetAside(libraries[i]))
            m_setAside.push_back(ids[i]);
        else
            record = LoadRecord(ids[i], libraries[i]);
        const bool listed = record && record->IsListed();
        if (listed) {
            m_entries.push_back(ids[i]);
            host.RememberName(libraries[i].path, record->Name());
        }
        if (onStep && !onStep(Step{ids[i], listed ? record.get() : nullptr, i + 1, total})) {
            m_bStopped = true;
            break;
        }
    }
}

std::unique_ptr<CAppRecord> CAppCatalog::LoadEntry(const std::string& entryId) const
{
    // Only a library in the AppInfo folder itself, by its absolute path.
    if (!catalog::IsPlainFileName(entryId, fw::IsSystemLeadByte))
        return nullptr;
    std::optional<catalog::LibraryIdentity> library = CPluginHost::IdentityOf(m_appInfoFolder + entryId);
    return library ? LoadRecord(entryId, *library) : nullptr;
}

std::unique_ptr<CAppRecord> CAppCatalog::LoadRecord(const std::string& entryId,
                                                    const catalog::LibraryIdentity& library) const
{
    std::optional<CPluginHost::InfoCall> call = CPluginHost::Instance().GetInfo(library);
    if (!call)
        return nullptr;
    // Told once the library is freed: a warning left open is no call.
    if (!call->record) {
        ShowPluginWarning(entryId, call->errorCode);
        return nullptr;
    }
    catalog::ValidateRecord(call->record->Data(), call->record->Size());
    return std::move(call->record);
}

void CAppCatalog::LoadHidden()
{
    m_hidden = ReadList("NoUse");
    m_storedHidden = m_hidden;
}

void CAppCatalog::ComputeVisible()
{
    m_visible = catalog::VisibleEntries(m_entries, m_hidden);
}

int CAppCatalog::ApplyOrder(const char* valueName)
{
    m_storedOrder = ReadList(valueName);
    catalog::OrderResult ordered = catalog::ApplyStoredOrder(m_storedOrder, m_entries, m_newEntry);
    m_entries = std::move(ordered.entries);
    m_newEntry = std::move(ordered.newEntry);
    ComputeVisible();
    return static_cast<int>(m_entries.size());
}

void CAppCatalog::ReplaceLists(catalog::IdList entries, catalog::IdList hidden)
{
    m_entries = std::move(entries);
    m_hidden = std::move(hidden);
    ComputeVisible();
}

void CAppCatalog::SaveOrder(const char* valueName)
{
    if (m_bStopped || m_bListsUnreadable)
        return;
    // Set-aside entries are installed: they keep their place and their
    // hidden state for when they come back.
    catalog::IdList hidden = m_hidden;
    for (const std::string& id : m_setAside)
        if (catalog::Contains(m_storedHidden, id) && !catalog::Contains(hidden, id))
            hidden.push_back(id);
    catalog::IdList entries = catalog::KeepInStoredPlaces(m_entries, m_storedOrder, m_setAside);
    RegWriteString(HKEY_CURRENT_USER, kProgramKey, "NoUse", catalog::JoinStoredList(hidden));
    RegWriteString(HKEY_CURRENT_USER, kProgramKey, valueName, catalog::JoinStoredList(entries));
}

catalog::IdList CAppCatalog::ReadList(const char* valueName)
{
    RegText stored = RegQueryText(HKEY_CURRENT_USER, kProgramKey, valueName);
    if (stored.status == RegRead::Failed)
        m_bListsUnreadable = true;
    return catalog::ParseStoredList(stored.text);
}
