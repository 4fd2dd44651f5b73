// The resource library object against a real resource-only DLL.
#include "support/ResourceLibrary.h"
#include "tests/common/MessageBoxProbe.h"

#include <gtest/gtest.h>

#include <future>

using testing_support::BoxIcon;
using testing_support::DismissNextMessageBox;
using testing_support::MessageBoxSeen;

namespace {
// Shows a box on this thread while another thread reads and dismisses it.
template <typename Show>
std::optional<MessageBoxSeen> SeeBox(Show show, bool& shown)
{
    auto probe = std::async(std::launch::async, [] {
        return DismissNextMessageBox(5000, ::GetCurrentProcessId());
    });
    shown = show();
    return probe.get();
}
} // namespace

TEST(ResourceLibrary, LoadsTextsByIdCutTo1023Characters)
{
    CResourceLibrary library;
    ASSERT_TRUE(library.Load("TestTexts.dll"));
    ASSERT_NE(library.GetHandle(), nullptr);
    std::string longText = library.LoadText(1);
    EXPECT_EQ(longText.size(), 1023u);
    EXPECT_EQ(longText.substr(0, 5), "abcde");
    EXPECT_EQ(library.LoadText(2), "Short text");
    EXPECT_EQ(library.LoadText(999), "");
    library.Free();
    EXPECT_EQ(library.GetHandle(), nullptr);
    EXPECT_EQ(library.LoadText(2), "");
}

TEST(ResourceLibrary, WithoutALibraryNoBoxIsShown)
{
    CResourceLibrary library;
    EXPECT_FALSE(library.ShowError(2));
    EXPECT_FALSE(library.ShowErrorFormat(nullptr, 81, -5));
    EXPECT_FALSE(testing_support::AnyMessageBoxShown(::GetCurrentProcessId()));
    EXPECT_EQ(library.LoadText(2), "");
}

TEST(ResourceLibrary, AMissingLibraryShowsTheFixedErrorBox)
{
    CResourceLibrary library;
    bool loaded = true;
    auto box = SeeBox([&] { return library.Load("NoSuchLibrary.dll"); }, loaded);
    EXPECT_FALSE(loaded);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "A required file was not found. \nUninstall the application and then re-install it.");
    EXPECT_EQ(box->caption, "win_tests");
    EXPECT_EQ(box->icon, BoxIcon::Error) << IconName(box->icon);
    EXPECT_EQ(box->owner, nullptr);
}

TEST(ResourceLibrary, ErrorBoxesShowTheTextWithTheProgramTitle)
{
    CResourceLibrary library;
    ASSERT_TRUE(library.Load("TestTexts.dll"));
    const struct {
        UINT id;
        bool formatted;
        int value;
        const char* expected;
    } cases[] = {
        {2, false, 0, "Short text"},
        {999, false, 0, ""},
        {81, true, -5, "Start failed with -5."},
        {82, true, 7, "Hostile %s format 7"},
    };
    for (const auto& c : cases) {
        bool shown = false;
        auto box = SeeBox(
            [&] { return c.formatted ? library.ShowErrorFormat(nullptr, c.id, c.value) : library.ShowError(c.id); },
            shown);
        EXPECT_TRUE(shown) << c.id;
        ASSERT_TRUE(box.has_value()) << c.id;
        EXPECT_EQ(box->text, c.expected);
        EXPECT_EQ(box->caption, "win_tests");
        EXPECT_EQ(box->icon, BoxIcon::Error) << IconName(box->icon);
    }
}
