#include "PluginJournalText.h"

namespace catalog {

namespace {
std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

std::optional<std::uint64_t> Number(const std::string& text)
{
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// A path is stored as it is; one that could not be read back is refused.
bool StorablePath(const std::string& path)
{
    return !path.empty() && path.find_first_of("\t\n") == std::string::npos;
}

std::string StorableName(std::string name)
{
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return name;
}

std::string IdentityFields(const LibraryIdentity& library)
{
    return library.path + '\t' + std::to_string(library.size) + '\t' + std::to_string(library.writeTime);
}

std::optional<LibraryIdentity> IdentityOf(const std::vector<std::string>& fields, std::size_t first)
{
    if (fields.size() < first + 3 || !StorablePath(fields[first]))
        return std::nullopt;
    std::optional<std::uint64_t> size = Number(fields[first + 1]);
    std::optional<std::uint64_t> writeTime = Number(fields[first + 2]);
    if (!size || !writeTime)
        return std::nullopt;
    return LibraryIdentity{fields[first], *size, *writeTime};
}
} // namespace

std::string EncodeJournal(const JournalRecord& record)
{
    if (!StorablePath(record.library.path) || record.purpose.find_first_of("\t\n") != std::string::npos)
        return std::string();
    return record.purpose + '\t' + IdentityFields(record.library) + '\t' + StorableName(record.name);
}

std::optional<JournalRecord> DecodeJournal(const std::string& text)
{
    std::vector<std::string> fields = Split(text, '\t');
    if (fields.size() != 5 || fields[0].empty() || fields[0].find('\n') != std::string::npos)
        return std::nullopt;
    std::optional<LibraryIdentity> library = IdentityOf(fields, 1);
    if (!library || fields[4].find('\n') != std::string::npos)
        return std::nullopt;
    return JournalRecord{fields[0], *library, fields[4]};
}

std::string EncodeIdentities(const std::vector<LibraryIdentity>& libraries)
{
    std::string text;
    for (const LibraryIdentity& library : libraries)
        if (StorablePath(library.path))
            text += IdentityFields(library) + '\n';
    return text;
}

std::vector<LibraryIdentity> DecodeIdentities(const std::string& text)
{
    std::vector<LibraryIdentity> libraries;
    for (const std::string& line : Split(text, '\n')) {
        std::vector<std::string> fields = Split(line, '\t');
        std::optional<LibraryIdentity> library = fields.size() == 3 ? IdentityOf(fields, 0) : std::nullopt;
        if (library)
            libraries.push_back(*library);
    }
    return libraries;
}

std::string EncodeNames(const NameMap& names)
{
    std::string text;
    for (const auto& [path, name] : names)
        if (StorablePath(path))
            text += path + '\t' + StorableName(name) + '\n';
    return text;
}

NameMap DecodeNames(const std::string& text)
{
    NameMap names;
    for (const std::string& line : Split(text, '\n')) {
        std::string::size_type tab = line.find('\t');
        if (tab != std::string::npos && tab > 0)
            names[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return names;
}

} // namespace catalog
