// The suite's installed applications: the plug-in libraries of the AppInfo
// folder that offer a valid record, in the user's stored order ("Sort"), the
// hidden ids ("NoUse") and the visible rest. A short-lived snapshot: the menu
// window builds a new one for every menu, the settings dialog its own.
#pragma once

#include "AppRecord.h"
#include "EntryOrder.h"

#include <memory>
#include <string>

class CAppCatalog {
public:
    // Folders under the Program Files folder of the suite.
    CAppCatalog();
    // Explicit folders, each ending in a backslash.
    CAppCatalog(std::string appInfoFolder, std::string menuSwfFolder);

    int Refresh();
    int Discover();
    bool IsListed(const std::string& entryId) const;
    std::unique_ptr<CAppRecord> LoadEntry(const std::string& entryId) const;
    int LoadHidden();
    int ComputeVisible();
    int ApplyOrder(const char* valueName);
    int SaveOrder(const char* valueName);
    int ReadList(const char* valueName, catalog::IdList& list) const;
    // Writes the menu document; the number of entries in it, or -1.
    int WriteMenuDocument(const std::string& path) const;

    std::string GetAppInfoFolder() const { return m_appInfoFolder; }
    std::string GetMenuSwfFolder() const { return m_menuSwfFolder; }

    // Read and, by the settings dialog, replaced directly.
    catalog::IdList m_entries;
    catalog::IdList m_hidden;
    catalog::IdList m_visible;
    std::string m_newEntry;

private:
    std::string m_appInfoFolder;
    std::string m_menuSwfFolder;
};

// The menu document's file name, in the temporary and the MenuSwf folder.
extern const char kMenuDocumentName[];
