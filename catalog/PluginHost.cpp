#include "PluginHost.h"

#include "AppEntryRules.h"
#include "EntryOrder.h"
#include "GuardedBlock.h"

#include "framework/Handle.h"
#include "framework/ScopedFlag.h"
#include "framework/SystemLeadByte.h"
#include "support/Registry.h"

#include <algorithm>
#include <cstring>

const char kPluginCallValue[] = "PluginCall";
const char kSetAsideValue[] = "SetAside";
const char kAppNamesValue[] = "AppNames";

namespace {
bool InFolder(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           catalog::IsPlainFileName(path.substr(folder.size()), fw::IsSystemLeadByte);
}
} // namespace

// Clears the journal and the call flag however the call is left.
class CPluginHost::CCallScope {
public:
    CCallScope(CPluginHost& host, bool& inCall) : m_host(host), m_bInCall(inCall) { m_bInCall = true; }
    ~CCallScope()
    {
        m_host.WriteJournal(std::string());
        m_bInCall = false;
    }
    CCallScope(const CCallScope&) = delete;
    CCallScope& operator=(const CCallScope&) = delete;

private:
    CPluginHost& m_host;
    bool& m_bInCall;
};

CPluginHost& CPluginHost::Instance()
{
    static CPluginHost host;
    return host;
}

void CPluginHost::WriteJournal(const std::string& text)
{
    // Written twice for every call: the key stays open for the process (a
    // value is never created with a key that is missing).
    if (!m_hJournalKey &&
        ::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_SET_VALUE, m_hJournalKey.receive()) != ERROR_SUCCESS)
        m_hJournalKey.release();
    if (m_hJournalKey)
        ::RegSetValueExA(m_hJournalKey.get(), kPluginCallValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                         static_cast<DWORD>(text.size()));
}

std::optional<catalog::LibraryIdentity> CPluginHost::IdentityOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return catalog::LibraryIdentity{path, join(data.nFileSizeHigh, data.nFileSizeLow),
                                    join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

std::optional<catalog::JournalRecord> CPluginHost::SetAsideLeftBehindCall()
{
    RegText journal = RegQueryText(HKEY_CURRENT_USER, kProgramKey, kPluginCallValue);
    if (journal.status != RegRead::Found || journal.text.empty())
        return std::nullopt;
    WriteJournal(std::string());
    std::optional<catalog::JournalRecord> record = catalog::DecodeJournal(journal.text);
    if (!record)
        return std::nullopt;
    std::vector<catalog::LibraryIdentity> setAside = SetAsideList();
    if (std::find(setAside.begin(), setAside.end(), record->library) == setAside.end()) {
        setAside.push_back(record->library);
        StoreSetAsideList(setAside);
    }
    if (record->name.empty())
        record->name = NameOf(record->library.path);
    return record;
}

std::optional<catalog::JournalRecord> CPluginHost::CurrentCall()
{
    RegText journal = RegQueryText(HKEY_CURRENT_USER, kProgramKey, kPluginCallValue);
    return journal.status == RegRead::Found ? catalog::DecodeJournal(journal.text) : std::nullopt;
}

std::vector<catalog::LibraryIdentity> CPluginHost::SetAsideList() const
{
    return catalog::DecodeIdentities(RegReadString(HKEY_CURRENT_USER, kProgramKey, kSetAsideValue, ""));
}

void CPluginHost::StoreSetAsideList(const std::vector<catalog::LibraryIdentity>& libraries)
{
    RegWriteString(HKEY_CURRENT_USER, kProgramKey, kSetAsideValue, catalog::EncodeIdentities(libraries));
    m_setAside = libraries;
}

bool CPluginHost::IsSetAside(const catalog::LibraryIdentity& library)
{
    if (!m_setAside)
        m_setAside = SetAsideList();
    auto samePath = [&](const catalog::LibraryIdentity& entry) { return entry.path == library.path; };
    auto found = std::find_if(m_setAside->begin(), m_setAside->end(), samePath);
    if (found == m_setAside->end())
        return false;
    if (*found == library)
        return true;
    // Updated or reinstalled: it gets its chance again.
    std::vector<catalog::LibraryIdentity> rest = *m_setAside;
    rest.erase(std::remove_if(rest.begin(), rest.end(), samePath), rest.end());
    StoreSetAsideList(rest);
    return false;
}

void CPluginHost::NoteFolderContents(const std::string& folder, const std::vector<catalog::LibraryIdentity>& present)
{
    auto gone = [&](const std::string& path) {
        return InFolder(path, folder) &&
               std::none_of(present.begin(), present.end(), [&](const auto& library) { return library.path == path; });
    };
    if (!m_setAside)
        m_setAside = SetAsideList();
    std::vector<catalog::LibraryIdentity> kept;
    for (const catalog::LibraryIdentity& library : *m_setAside)
        if (!gone(library.path))
            kept.push_back(library);
    if (kept.size() != m_setAside->size())
        StoreSetAsideList(kept);

    LoadNames();
    for (auto name = m_names->begin(); name != m_names->end();) {
        if (gone(name->first)) {
            name = m_names->erase(name);
            m_bNamesChanged = true;
        } else {
            ++name;
        }
    }
}

void CPluginHost::LoadNames()
{
    if (!m_names)
        m_names = catalog::DecodeNames(RegReadString(HKEY_CURRENT_USER, kProgramKey, kAppNamesValue, ""));
}

void CPluginHost::RememberName(const std::string& path, const std::string& name)
{
    LoadNames();
    std::string& known = (*m_names)[path];
    if (known != name) {
        known = name;
        m_bNamesChanged = true;
    }
}

std::string CPluginHost::NameOf(const std::string& path)
{
    LoadNames();
    auto found = m_names->find(path);
    return found == m_names->end() ? std::string() : found->second;
}

void CPluginHost::SaveNames()
{
    if (!m_names || !m_bNamesChanged)
        return;
    if (RegWriteString(HKEY_CURRENT_USER, kProgramKey, kAppNamesValue, catalog::EncodeNames(*m_names)))
        m_bNamesChanged = false;
}

bool CPluginHost::Call(const catalog::LibraryIdentity& library, const char* purpose,
                       const std::function<void(HMODULE)>& body)
{
    if (m_bInCall || IsSetAside(library))
        return false;
    CBusy busy(*this);
    // Written before the load: a library's start-up code is its code too.
    WriteJournal(catalog::EncodeJournal({purpose, library, NameOf(library.path)}));
    CCallScope scope(*this, m_bInCall);
    fw::UniqueLibrary module(::LoadLibraryA(library.path.c_str()));
    if (!module)
        return false;
    body(module.get());
    return true;
}

std::optional<CPluginHost::InfoCall> CPluginHost::GetInfo(const catalog::LibraryIdentity& library)
{
    std::optional<InfoCall> result;
    Call(library, "GetInfo", [&](HMODULE module) {
        auto getInfo = fw::ExportOf<LumbraGetInfoProc>(module, "GetInfo");
        if (!getInfo)
            return;
        std::optional<std::size_t> size = catalog::RecordAllocationSize(getInfo(0, nullptr));
        if (!size)
            return;
        CGuardedBlock block(*size);
        if (!block.Data())
            return;
        const std::uint32_t cbSize = LUMBRA_APPENTRY_SIZE;
        std::memcpy(block.Data(), &cbSize, sizeof cbSize);
        const std::int32_t code = getInfo(0, reinterpret_cast<AppEntry*>(block.Data()));
        if (code < 0) {
            result = InfoCall{nullptr, code};
            return;
        }
        auto record = std::make_unique<CAppRecord>(block.Size());
        std::memcpy(record->Data(), block.Data(), block.Size());
        result = InfoCall{std::move(record), 0};
    });
    return result;
}

std::optional<std::int32_t> CPluginHost::Exec(const catalog::LibraryIdentity& library, HWND menu,
                                              const std::string& newFolder)
{
    std::optional<std::int32_t> result;
    // Copies: plug-in code may pump messages, and a message handled meanwhile
    // may replace what the caller passed.
    const std::string folder = newFolder;
    Call(library, "Exec", [&](HMODULE module) {
        if (auto exec = fw::ExportOf<LumbraExecProc>(module, "Exec"))
            result = exec(menu, folder.c_str());
    });
    return result;
}

bool CPluginHost::Prepare(const catalog::LibraryIdentity& library, HWND menu, const std::string& newFolder)
{
    bool called = false;
    const std::string folder = newFolder;
    Call(library, "Prepare", [&](HMODULE module) {
        if (auto prepare = fw::ExportOf<LumbraPrepareProc>(module, "Prepare")) {
            prepare(menu, folder.c_str());
            called = true;
        }
    });
    return called;
}

bool CPluginHost::ExecCopyTool(const catalog::LibraryIdentity& library)
{
    bool called = false;
    Call(library, "CopyTool", [&](HMODULE module) {
        if (auto exec = fw::ExportOf<LumbraCopyToolExecProc>(module, "Exec")) {
            exec(0);
            called = true;
        }
    });
    return called;
}

CPluginHost::CBusy::CBusy(CPluginHost& host) : m_pHost(&host)
{
    ++host.m_nBusy;
}

CPluginHost::CBusy::CBusy(CBusy&& other) noexcept : m_pHost(other.m_pHost)
{
    other.m_pHost = nullptr;
}

CPluginHost::CBusy::~CBusy()
{
    if (m_pHost)
        m_pHost->LeaveBusy();
}

void CPluginHost::LeaveBusy()
{
    if (--m_nBusy == 0 && !m_deferred.empty() && m_fnWake)
        m_fnWake();
}

void CPluginHost::RunOrDefer(std::function<void()> command)
{
    if (!IsBusy()) {
        command();
        return;
    }
    m_deferred.push_back(std::move(command));
}

void CPluginHost::RunDeferred()
{
    // A command that runs a modal loop (a box) must not see the next one run
    // inside it: they run one after another, from here.
    if (m_bRunningDeferred)
        return;
    fw::ScopedFlag running(m_bRunningDeferred);
    while (!IsBusy() && !m_deferred.empty()) {
        std::function<void()> command = std::move(m_deferred.front());
        m_deferred.pop_front();
        command();
    }
}
