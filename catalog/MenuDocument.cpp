// CAppCatalog::WriteMenuDocument: the menu document for the visible entries.
#include "AppCatalog.h"
#include "MenuDocumentText.h"

#include "framework/Handle.h"
#include "framework/SystemLeadByte.h"
#include "support/Registry.h"

int CAppCatalog::WriteMenuDocument(const std::string& path, const StepHandler& onStep) const
{
    std::string focusId =
        m_newEntry.empty() ? RegReadString(HKEY_CURRENT_USER, kProgramKey, "LastUse", "") : m_newEntry;

    // An old copy beside the movie would shadow the fresh document.
    ::DeleteFileA((m_menuSwfFolder + kMenuDocumentName).c_str());

    fw::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return -1;

    std::vector<catalog::MenuLine> lines;
    const int total = static_cast<int>(m_visible.size());
    for (int i = 0; i < total; ++i) {
        const std::string& id = m_visible[i];
        std::unique_ptr<CAppRecord> record = LoadEntry(id);
        const bool listed = record && record->IsListed();
        if (listed)
            lines.push_back({id, record->Name(), record->InfoSwf(), record->ExecButton(), record->Icon()});
        if (onStep && !onStep(Step{id, listed ? record.get() : nullptr, i + 1, total})) {
            file.reset();
            ::DeleteFileA(path.c_str());
            return -1;
        }
    }
    std::string text = catalog::MenuDocumentText(lines, focusId, m_menuSwfFolder,
                                                 catalog::EncodingNameForCodePage(::GetACP()), fw::IsSystemLeadByte);
    // A document cut short (a full disk) would read as no menu at all: it is
    // a document that could not be written.
    DWORD written = 0;
    if (!::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
        file.reset();
        ::DeleteFileA(path.c_str());
        return -1;
    }
    return static_cast<int>(lines.size());
}
