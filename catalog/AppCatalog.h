// The suite's installed applications: the plug-in libraries of the AppInfo
// folder that offer a valid record, in the user's stored order ("Sort"), the
// hidden ids ("NoUse") and the visible rest. A short-lived snapshot: the menu
// window builds a new one for every menu, the settings dialog its own.
// Every call into a plug-in goes through CPluginHost; a library it has set
// aside is not loaded, and keeps its place in "Sort" and its hidden state.
#pragma once

#include "AppRecord.h"
#include "EntryOrder.h"
#include "PluginJournalText.h"

#include <functional>
#include <memory>
#include <string>

class CAppCatalog {
public:
    // Told after each library the catalog asked for its record, with the
    // record when it is listed; returning false stops the work.
    struct Step {
        const std::string& id;
        const CAppRecord* record;
        int done;
        int total;
    };
    using StepHandler = std::function<bool(const Step& step)>;

    // Folders under the Program Files folder of the suite.
    CAppCatalog();
    // Explicit folders, each ending in a backslash.
    CAppCatalog(std::string appInfoFolder, std::string menuSwfFolder);

    // Asks every library for its record and reads the hidden ids; the
    // number of visible entries.
    int Refresh(const StepHandler& onStep = StepHandler());
    std::unique_ptr<CAppRecord> LoadEntry(const std::string& entryId) const;
    // Orders the entries as the stored list does, new ones last; their number.
    int ApplyOrder(const char* valueName);
    // Stores the order and the hidden ids, unless the lists are incomplete
    // or the stored ones could not be read.
    void SaveOrder(const char* valueName);
    // The settings dialog's choice of order and hidden ids, saved next.
    void ReplaceLists(catalog::IdList entries, catalog::IdList hidden);
    // Writes the menu document; the number of entries in it, or -1.
    int WriteMenuDocument(const std::string& path, const StepHandler& onStep = StepHandler()) const;

    std::string GetAppInfoFolder() const { return m_appInfoFolder; }
    std::string GetMenuSwfFolder() const { return m_menuSwfFolder; }

    // A step handler stopped the discovery: the lists are incomplete and
    // must not be saved.
    bool WasStopped() const { return m_bStopped; }
    // A stored list exists but could not be read: nothing is written back,
    // so the user's order and choices survive.
    bool StoredListsUnreadable() const { return m_bListsUnreadable; }
    // Installed libraries that were set aside and not asked this time.
    const catalog::IdList& SetAside() const { return m_setAside; }

    // The listed entries in order, the hidden ids, the visible rest, and the
    // entry that the stored order did not know yet (empty when none).
    const catalog::IdList& Entries() const { return m_entries; }
    const catalog::IdList& Hidden() const { return m_hidden; }
    const catalog::IdList& Visible() const { return m_visible; }
    const std::string& NewEntry() const { return m_newEntry; }

private:
    void Discover(const StepHandler& onStep);
    void LoadHidden();
    void ComputeVisible();
    catalog::IdList ReadList(const char* valueName);
    std::unique_ptr<CAppRecord> LoadRecord(const std::string& entryId, const catalog::LibraryIdentity& library) const;

    std::string m_appInfoFolder;
    std::string m_menuSwfFolder;
    catalog::IdList m_entries;
    catalog::IdList m_hidden;
    catalog::IdList m_visible;
    std::string m_newEntry;
    catalog::IdList m_setAside;
    catalog::IdList m_storedOrder;
    catalog::IdList m_storedHidden;
    bool m_bStopped = false;
    bool m_bListsUnreadable = false;
};

// The menu document's file name, in the temporary and the MenuSwf folder.
extern const char kMenuDocumentName[];
