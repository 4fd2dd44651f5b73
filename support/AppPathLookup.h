// Finds the folder of another installed program through the "Path" value of
// its App Paths registration, so a file beside that program can be loaded.
// Lives for one lookup.
#pragma once

#include <optional>
#include <string>

class CAppPathLookup {
public:
    explicit CAppPathLookup(const char* programFileName);

    // Folder + fileName; nothing when the lookup failed or the path would not
    // fit in 260 bytes.
    std::optional<std::string> Join(const char* fileName);

private:
    // Ends in a backslash; empty for an empty "Path" value; nothing when the
    // lookup failed.
    std::optional<std::string> m_folder;
    std::string m_joined;
};
