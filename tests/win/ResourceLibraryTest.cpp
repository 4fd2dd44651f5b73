// The resource library object against a real resource-only DLL.
#include "support/ResourceLibrary.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/win/fixtures/TestIds.h"

#include <gtest/gtest.h>

using namespace testing_support;

// Error boxes show the text with the program's title; a missing library shows
// its fixed text, and once the library is freed nothing loads and no box shows.
TEST(ResourceLibrary, LoadsTextsCutTo1023CharactersAndShowsErrorBoxesOnlyWhileLoaded)
{
    CResourceLibrary library;
    HWND owner = ::CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    auto boxes = CollectMessageBoxes([&] {
        EXPECT_FALSE(library.Load("NoSuchLibrary.dll"));
        ASSERT_TRUE(library.Load("TestTexts.dll"));
        std::string longText = library.LoadText(IDS_TEST_LONG);
        EXPECT_EQ(longText.size(), 1023u);
        EXPECT_EQ(longText.substr(0, 5), "abcde");
        EXPECT_EQ(library.LoadText(IDS_TEST_SHORT), "Short text");
        EXPECT_EQ(library.LoadText(999), "");
        EXPECT_TRUE(library.ShowError(IDS_TEST_SHORT));
        EXPECT_TRUE(library.ShowError(owner, 999));
        EXPECT_TRUE(library.ShowErrorFormat(nullptr, IDS_TEST_FORMAT, -5));
        EXPECT_TRUE(library.ShowErrorFormat(owner, IDS_TEST_HOSTILE, 7));
        library.Free();
        EXPECT_EQ(library.GetHandle(), nullptr);
        EXPECT_EQ(library.LoadText(IDS_TEST_SHORT), "");
        EXPECT_FALSE(library.ShowError(IDS_TEST_SHORT));
        EXPECT_FALSE(library.ShowErrorFormat(nullptr, IDS_TEST_FORMAT, -5));
    });
    const char* title = "win_tests";
    EXPECT_EQ(boxes, (std::vector<MessageBoxSeen>{
                         {"A required file was not found. \nUninstall the application and then re-install it.", title,
                          BoxIcon::Error, nullptr},
                         {"Short text", title, BoxIcon::Error, nullptr},
                         {"", title, BoxIcon::Error, owner},
                         {"Start failed with -5.", title, BoxIcon::Error, nullptr},
                         {"Hostile %s format 7", title, BoxIcon::Error, owner}}));
    ::DestroyWindow(owner);
}
