#include "framework/FileName.h"

#include <gtest/gtest.h>

TEST(BaseNameWithoutExtension, TakesTheFileNameBeforeItsLastDot)
{
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Program Files\\Orva\\Lumbra.exe", "Lumbra"},
        {"Z:/work/build/bin/Update.exe", "Update"},
        {"C:\\dir.with.dots\\Lumbra", "Lumbra"},
        {"C:\\x\\archive.tar.gz", "archive.tar"},
        {"Lumbra.exe", "Lumbra"},
        {"C:\\x\\.hidden", ".hidden"},
        {"C:Lumbra.exe", "Lumbra"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::BaseNameWithoutExtension(c.path), c.title) << c.path;
}
