#include "LaunchRules.h"

#include <cctype>

namespace shell {

const char kImportInputEntry[] = "KADRO_IMXINPUT_01.DLL";

namespace {
// The longest path the system's narrow file functions take, zero included.
const std::size_t kMaxPath = 260;

std::string DocumentPathInFolder(const std::string& folder, const std::string& name,
                                 const support::LeadBytePredicate& isLeadByte)
{
    if (support::EndsInSeparator(folder, isLeadByte))
        return folder + name;
    return folder + "\\" + name;
}
} // namespace

std::uint32_t RepeatGuardInterval(const std::string& entryId, std::uint32_t execWait,
                                  const support::LeadBytePredicate& isLeadByte)
{
    return support::UpperCaseMultiByte(entryId, isLeadByte) == kImportInputEntry ? 5000u : execWait;
}

bool IsGuardedRepeat(const std::string& entryId, const std::string& lastEntryId, std::uint32_t now,
                     std::uint32_t lastTick, std::uint32_t interval)
{
    return entryId == lastEntryId && static_cast<std::uint32_t>(now - lastTick) < interval;
}

std::optional<std::string> TempDocumentPath(const std::string& folder, const std::string& name,
                                            const support::LeadBytePredicate& isLeadByte)
{
    // "C:\..." or "\\server\share\...": anything else depends on the
    // current drive or folder.
    const bool drive = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
                       folder[2] == '\\';
    const bool share = folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\' && folder[2] != '\\';
    if (!drive && !share)
        return std::nullopt;
    std::string path = DocumentPathInFolder(folder, name, isLeadByte);
    if (path.size() >= kMaxPath)
        return std::nullopt;
    return path;
}

} // namespace shell
