#include "VersionRules.h"

#include <cstdlib>
#include <cstring>

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
std::string_view Trim(std::string_view text, LeadBytePredicate isLeadByte)
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
    return std::string_view(text.data() + first, end - first);
}

// The text between comma number `index` - 1 and comma number `index`;
// empty when that closing comma is missing.
std::string_view FieldBeforeComma(std::string_view text, int index)
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos)
            return std::string_view();
        start = comma + 1;
    }
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos)
        return std::string_view();
    return std::string_view(text.data() + start, comma - start);
}

VersionField Field(std::string_view text, bool padToSix)
{
    VersionField field;
    // Years below 10 were written without their leading zero.
    if (padToSix && text.size() < 6)
        field.text[field.length++] = '0';
    std::size_t room = VersionField::kCapacity - field.length;
    std::size_t kept = text.size() < room ? text.size() : room;
    if (kept > 0) // an empty view may have no data at all
        std::memcpy(field.text + field.length, text.data(), kept);
    field.length += kept;
    return field;
}

// The number that atoi reads from two characters of the text.
int TwoDigits(std::string_view text, std::size_t at)
{
    char pair[3] = {};
    for (std::size_t i = 0; i < 2 && at + i < text.size(); ++i)
        pair[i] = text[at + i];
    return std::atoi(pair);
}
} // namespace

VersionFields SplitVersionFields(std::string_view fileVersion, LeadBytePredicate isLeadByte)
{
    VersionFields fields;
    fields.major = Field(Trim(FieldBeforeComma(fileVersion, 0), isLeadByte), false);
    fields.minor = Field(Trim(FieldBeforeComma(fileVersion, 1), isLeadByte), false);
    fields.build = Field(Trim(FieldBeforeComma(fileVersion, 2), isLeadByte), true);
    return fields;
}

const char* DataFileForMinor(std::string_view minor)
{
    static const struct {
        const char* minor;
        const char* dataFile;
    } kShipped[] = {{"0", "data0.dat"}, {"1", "data1.dat"}, {"2", "data2.dat"}, {"5", "data5.dat"},
                    {"6", "data6.dat"}, {"7", "data7.dat"}, {"8", "data8.dat"}};
    for (const auto& shipped : kShipped)
        if (minor == shipped.minor)
            return shipped.dataFile;
    return nullptr;
}

bool IsOlderBuild(std::string_view installed, std::string_view reference)
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
    if (fields.major.View() != kAcceptedMajor)
        return {kDifferentVersion, nullptr};
    const char* dataFile = DataFileForMinor(fields.minor.View());
    if (!dataFile)
        return {kDifferentVersion, nullptr};
    if (!IsOlderBuild(fields.build.View(), kReferenceBuild))
        return {kUnnecessary, nullptr};
    return {kUpdated, dataFile};
}

} // namespace updater
