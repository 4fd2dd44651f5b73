// The updater's version rules for any "FileVersion" text, read in code
// pages 1252 and 932: trimmed fields, the single leading zero of the build,
// the order of the decisions, and a build comparison that is a strict order;
// and the replacement rules for any App Paths text and any file header.
#include "support/MultiByteText.h"
#include "updater/ReplacementRules.h"
#include "updater/VersionRules.h"

#include <cassert>

using namespace updater;

namespace {
// Trimmed: no white space first, and the last character (a two-byte one
// counts whole) is no white space; or cut to the field's capacity.
bool IsTrimmedOrCut(const std::string& field, LeadBytePredicate isLeadByte)
{
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    if (field.empty() || field.size() == VersionField::kCapacity)
        return true;
    std::size_t last = 0;
    for (std::size_t i = 0; i < field.size(); i += isLeadByte(static_cast<unsigned char>(field[i])) ? 2 : 1)
        last = i;
    return !isSpace(field[0]) && !(last + 1 == field.size() && isSpace(field.back()));
}

void CheckFields(const std::string& text, LeadBytePredicate isLeadByte)
{
    VersionFields parsed = SplitVersionFields(text, isLeadByte);
    const std::string major(parsed.major.View()), minor(parsed.minor.View()), build(parsed.build.View());
    assert(IsTrimmedOrCut(major, isLeadByte) && text.find(major) != std::string::npos);
    assert(IsTrimmedOrCut(minor, isLeadByte) && text.find(minor) != std::string::npos);
    assert(major.find(',') == std::string::npos && minor.find(',') == std::string::npos);
    // A build shorter than six got one "0" in front (an empty one too).
    assert(!build.empty() && (build.size() >= 6 || build[0] == '0'));
    assert(IsTrimmedOrCut(build, isLeadByte));
    assert(text.find(build) != std::string::npos || text.find(build.substr(1)) != std::string::npos);

    Decision decision = Decide(parsed);
    const char* dataFile = DataFileForMinor(minor);
    assert(!dataFile || dataFile == "data" + minor + ".dat");
    switch (decision.stop) {
    case kDifferentVersion:
        assert(major != "1" || !dataFile);
        break;
    case kUnnecessary:
        assert(major == "1" && dataFile && !IsOlderBuild(build, kReferenceBuild));
        break;
    case kUpdated:
        assert(major == "1" && decision.dataFile == dataFile && build.size() == 6 &&
               IsOlderBuild(build, kReferenceBuild));
        break;
    default:
        assert(!"no other outcome is decided");
    }
    assert(decision.stop == kUpdated || !decision.dataFile);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    CheckFields(text, [](unsigned char) { return false; });
    CheckFields(text, support::IsShiftJisLeadByte);

    // Builds compare as a strict order: never earlier than itself, never
    // both ways, and transitive, on six-character texts.
    if (size >= 18) {
        std::string a = text.substr(0, 6), b = text.substr(6, 6), c = text.substr(12, 6);
        assert(!IsOlderBuild(a, a));
        assert(!(IsOlderBuild(a, b) && IsOlderBuild(b, a)));
        assert(!(IsOlderBuild(a, b) && IsOlderBuild(b, c)) || IsOlderBuild(a, c));
        assert(!IsOlderBuild(text.substr(0, 5), b) && !IsOlderBuild(text.substr(0, 7), b));
    }

    // An installed path is the value itself, or it within one pair of
    // quotes, and never names a folder or a pattern.
    for (auto isLeadByte : {LeadBytePredicate([](unsigned char) { return false; }), &support::IsShiftJisLeadByte}) {
        std::string_view path = InstalledPathText(text, isLeadByte);
        assert(path.empty() || path == text || (text.size() >= 2 && text.substr(1, path.size()) == path));
        assert(path.find_first_of("*?\"<>|") == std::string_view::npos && (path.empty() || path.size() > 3));
    }
    // Only the bytes given are read (the sanitizer would tell), and an image
    // starts with its MZ header.
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    assert(!IsProgramImage(bytes, size) || (bytes[0] == 'M' && bytes[1] == 'Z'));
    VersionFields read = SplitVersionFields(text, support::IsShiftJisLeadByte);
    assert(!IsReplacementFor(read, read) || (read.major.View() == "1" && read.build.length == 6));
    return 0;
}
