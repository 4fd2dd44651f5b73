// The updater program: finds the installed menu through its App Paths
// registration, reads its version, replaces it with the matching data file
// when it is older than the reference build, and tells the outcome in one
// message box. It has no window and ends with exit code 0 in every case.
#pragma once

#include "VersionRules.h"

#include <windows.h>

#include <string>

class CUpdateApp {
public:
    // The whole run; returns the outcome that was shown.
    updater::Outcome Run();

    static bool ReadInstalledPath(HKEY appPathsKey, std::string& path);
    static bool InstalledFileExists(const std::string& path);
    static updater::VersionFields ReadVersionFields(const std::string& path);
    static bool IsOlderBuild(const std::string& installed, const std::string& reference);
    // Replaces the destination with the data file beside the updater so that
    // it is always either the old file or the complete new one.
    static bool CopyDataFile(const std::string& dataFileName, const std::string& destination);

private:
    static updater::Outcome Report(updater::Outcome outcome);
};
