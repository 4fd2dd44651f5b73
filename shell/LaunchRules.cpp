#include "LaunchRules.h"

namespace shell {

const char kImportInputEntry[] = "KADRO_IMXINPUT_01.DLL";

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

std::string DocumentPathInFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

} // namespace shell
