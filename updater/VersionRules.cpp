#include "VersionRules.h"

#include <cstdlib>

namespace updater {

const char kReferenceBuild[] = "050401";
const char kAcceptedMajor[] = "1";

namespace {
bool IsSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Trims white space at both ends without ever splitting a two-byte
// character: the end is the end of the last character that is not a space.
std::string Trim(const std::string& text, const LeadBytePredicate& isLeadByte)
{
    std::size_t first = 0;
    while (first < text.size() && IsSpace(static_cast<unsigned char>(text[first])))
        ++first;
    std::size_t end = first;
    for (std::size_t i = first; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t width = isLeadByte(c) && i + 1 < text.size() ? 2 : 1;
        if (width == 2 || !IsSpace(c))
            end = i + width;
        i += width;
    }
    return text.substr(first, end - first);
}

// The text between comma number `index` - 1 and comma number `index`;
// empty when that closing comma is missing.
std::string FieldBeforeComma(const std::string& text, int index)
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            return std::string();
        start = comma + 1;
    }
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos)
        return std::string();
    return text.substr(start, comma - start);
}

int TwoDigits(const std::string& text, std::size_t at)
{
    return std::atoi(text.substr(at, 2).c_str());
}
} // namespace

VersionFields SplitVersionFields(const std::string& fileVersion, const LeadBytePredicate& isLeadByte)
{
    VersionFields fields;
    fields.major = Trim(FieldBeforeComma(fileVersion, 0), isLeadByte);
    fields.minor = Trim(FieldBeforeComma(fileVersion, 1), isLeadByte);
    fields.build = Trim(FieldBeforeComma(fileVersion, 2), isLeadByte);
    // Years below 10 were written without their leading zero.
    if (fields.build.size() < 6)
        fields.build.insert(0, "0");
    return fields;
}

std::optional<std::string> DataFileForMinor(const std::string& minor)
{
    static const char* const kMinorsWithData[] = {"0", "1", "2", "5", "6", "7", "8"};
    for (const char* known : kMinorsWithData)
        if (minor == known)
            return "data" + minor + ".dat";
    return std::nullopt;
}

bool IsOlderBuild(const std::string& installed, const std::string& reference)
{
    if (installed.size() != 6)
        return false;
    for (std::size_t at : {std::size_t(0), std::size_t(2), std::size_t(4)}) {
        int a = TwoDigits(installed, at);
        int b = TwoDigits(reference, at);
        if (a != b)
            return a < b;
    }
    return false;
}

OutcomeIcon IconOf(Outcome outcome)
{
    switch (outcome) {
    case kUnnecessary:
    case kUpdated:
        return OutcomeIcon::Information;
    case kFailed:
        return OutcomeIcon::Hand;
    default:
        return OutcomeIcon::Exclamation;
    }
}

Decision Decide(const VersionFields& fields)
{
    if (fields.major != kAcceptedMajor)
        return {kDifferentVersion, std::string()};
    std::optional<std::string> dataFile = DataFileForMinor(fields.minor);
    if (!dataFile)
        return {kDifferentVersion, std::string()};
    if (!IsOlderBuild(fields.build, kReferenceBuild))
        return {kUnnecessary, std::string()};
    return {kUpdated, *dataFile};
}

} // namespace updater
