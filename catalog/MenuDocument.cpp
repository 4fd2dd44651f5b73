// CAppCatalog::WriteMenuDocument: the menu document for the visible entries.
#include "AppCatalog.h"
#include "MenuDocumentText.h"

#include "framework/Handle.h"
#include "support/Registry.h"
#include "framework/SystemLeadByte.h"

int CAppCatalog::WriteMenuDocument(const std::string& path) const
{
    std::string focusId = m_newEntry.empty() ? RegReadString(HKEY_CURRENT_USER, kProgramKey, "LastUse", "") : m_newEntry;

    // An old copy beside the movie would shadow the fresh document.
    ::DeleteFileA((m_menuSwfFolder + kMenuDocumentName).c_str());

    fw::UniqueFile file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return -1;

    std::vector<catalog::MenuLine> lines;
    for (const std::string& id : m_visible) {
        std::unique_ptr<CAppRecord> record = LoadEntry(id);
        if (!record || !record->IsListed())
            continue;
        lines.push_back({id, record->Name(), record->InfoSwf(), record->ExecButton(), record->Icon()});
    }
    std::string text = catalog::MenuDocumentText(lines, focusId, m_menuSwfFolder,
                                                 catalog::EncodingNameForCodePage(::GetACP()), fw::IsSystemLeadByte);
    DWORD written = 0;
    ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return static_cast<int>(lines.size());
}
