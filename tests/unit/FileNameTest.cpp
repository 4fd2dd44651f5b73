#include "framework/FileName.h"

#include <gtest/gtest.h>

TEST(BaseNameWithoutExtension, TakesTheFileNameBeforeItsLastDot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Orva\\Lumbra.exe", "Lumbra"},
        {"Z:/work/build/bin/Update.exe", "Update"},
        {"C:\\dir.with.dots\\Lumbra", "Lumbra"},
        {"C:\\x\\archive.tar.gz", "archive.tar"},
        {"Lumbra.exe", "Lumbra"},
        {"C:\\x\\.hidden", ".hidden"},
        {"C:Lumbra.exe", "Lumbra"},
        {"", ""},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(fw::BaseNameWithoutExtension(path), title) << path;
}
