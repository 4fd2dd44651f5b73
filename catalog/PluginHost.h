// The one way into plug-in code. Plug-ins come from other teams and setups,
// so every call (GetInfo, Exec, Prepare and the copy tool's Exec) goes
// through here:
// - the library is loaded by its absolute path for the call and freed after;
// - the call is journalled in the menu's key before the library is loaded and
//   cleared after it is freed, so a call that ends or freezes the menu is
//   known at the next start, which sets that library aside until its file
//   changes;
// - GetInfo writes into a block fenced by no-access pages;
// - while a call or a menu build runs, no second call is made, and commands
//   that would make one wait (RunOrDefer) until everything has returned.
// One instance per process, used on the user-interface thread only.
#pragma once

#include "AppRecord.h"
#include "PluginJournalText.h"

#include "framework/Handle.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CPluginHost {
public:
    static CPluginHost& Instance();

    // The library at `path` as it is on disk now; nothing without such a file.
    static std::optional<catalog::LibraryIdentity> IdentityOf(const std::string& path);

    // At a first start: the call a previous run was in when it ended. That
    // library is set aside from now on, and the journal is cleared.
    std::optional<catalog::JournalRecord> SetAsideLeftBehindCall();
    // The call a running menu is in now (for a start that finds it frozen).
    static std::optional<catalog::JournalRecord> CurrentCall();

    // A set-aside library whose file is still the one that failed. One whose
    // file changed comes back (and is forgotten here).
    bool IsSetAside(const catalog::LibraryIdentity& library);
    // The libraries found in `folder` now: set-aside ones whose file is gone
    // come back, and names of libraries no longer there are forgotten.
    void NoteFolderContents(const std::string& folder, const std::vector<catalog::LibraryIdentity>& present);

    // Display names of good records, kept so that a library that later fails
    // can be named; saved with SaveNames.
    void RememberName(const std::string& path, const std::string& name);
    std::string NameOf(const std::string& path);
    void SaveNames();

    struct InfoCall {
        std::unique_ptr<CAppRecord> record; // as filled, not yet validated
        std::int32_t errorCode = 0;         // GetInfo's negative result
    };
    // Each returns nothing when the library was not called: not loadable,
    // without the export, set aside, or another call is running.
    std::optional<InfoCall> GetInfo(const catalog::LibraryIdentity& library);
    std::optional<std::int32_t> Exec(const catalog::LibraryIdentity& library, HWND menu, const std::string& newFolder);
    bool Prepare(const catalog::LibraryIdentity& library, HWND menu, const std::string& newFolder);
    bool ExecCopyTool(const catalog::LibraryIdentity& library);

    // Held by a menu build for its whole run; calls mark the host busy too.
    class CBusy {
    public:
        explicit CBusy(CPluginHost& host);
        CBusy(CBusy&& other) noexcept;
        CBusy(const CBusy&) = delete;
        CBusy& operator=(const CBusy&) = delete;
        CBusy& operator=(CBusy&&) = delete;
        ~CBusy();

    private:
        CPluginHost* m_pHost;
    };
    CBusy Busy() { return CBusy(*this); }
    bool IsBusy() const { return m_nBusy > 0; }

    // Runs the command now, or once nothing is busy any more: then the wake
    // is called, and its owner calls RunDeferred from a clean stack.
    void RunOrDefer(std::function<void()> command);
    void SetDeferredWake(std::function<void()> wake) { m_fnWake = std::move(wake); }
    void RunDeferred();
    // Commands waiting; used when their window goes.
    void DropDeferred() { m_deferred.clear(); }

private:
    class CCallScope;

    CPluginHost() = default;

    // The journal's one value: the call now running, or empty.
    void WriteJournal(const std::string& text);
    // Loads, journals and frees around `body`, which gets the module.
    bool Call(const catalog::LibraryIdentity& library, const char* purpose, const std::function<void(HMODULE)>& body);
    void LeaveBusy();
    void LoadNames();
    std::vector<catalog::LibraryIdentity> SetAsideList() const;
    void StoreSetAsideList(const std::vector<catalog::LibraryIdentity>& libraries);

    fw::UniqueRegKey m_hJournalKey;
    int m_nBusy = 0;
    bool m_bInCall = false;
    std::deque<std::function<void()>> m_deferred;
    bool m_bRunningDeferred = false;
    std::function<void()> m_fnWake;
    std::optional<std::vector<catalog::LibraryIdentity>> m_setAside;
    std::optional<catalog::NameMap> m_names;
    bool m_bNamesChanged = false;
};

// Registry values of the menu's key that hold the journal, the set-aside
// libraries and the names of good records.
extern const char kPluginCallValue[];
extern const char kSetAsideValue[];
extern const char kAppNamesValue[];
