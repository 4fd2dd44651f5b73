// The updater program: finds the installed menu through its App Paths
// registration, reads its version, replaces it with the matching data file
// when it is older than the reference build, and tells the outcome in one
// message box. It has no window and ends with exit code 0 in every case.
// Texts live in C heap buffers (HeapText): the program links none of the C++
// library's run-time parts.
#pragma once

#include "VersionRules.h"

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string_view>

struct FreeHeapText {
    void operator()(char* text) const { std::free(text); }
};
// A zero-terminated text on the C heap; null when it could not be had.
using HeapText = std::unique_ptr<char[], FreeHeapText>;

class CUpdateApp {
public:
    // Before anything else: libraries only from the system folder, and the
    // version functions loaded from there.
    static void UseSystemLibrariesOnly();
    // The whole run; returns the outcome that was shown.
    updater::Outcome Run();

    // The key's default value up to its first zero, expanded and without
    // its quotes; null when unreadable or no absolute path to a file.
    static HeapText ReadInstalledPath(HKEY appPathsKey);
    // A file, not a folder, at that path.
    static bool InstalledFileExists(const char* path);
    static updater::VersionFields ReadVersionFields(const char* path);
    static bool IsOlderBuild(std::string_view installed, std::string_view reference);
    // Replaces the destination with the data file beside the updater so that
    // it is always either the old file or the complete new one, and only
    // with a program that may replace the installed one.
    static bool CopyDataFile(const char* dataFileName, const char* destination,
                             const updater::VersionFields& installed);

private:
    static bool IsReplacementImage(const char* path, const updater::VersionFields& installed);
    static bool FlushFile(const char* path);
    static updater::Outcome Report(updater::Outcome outcome);
};
