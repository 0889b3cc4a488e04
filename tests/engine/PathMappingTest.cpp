#include <gtest/gtest.h>

#include "engine/PathMapping.h"

using namespace pathmap;

TEST(PathMapping, WindowsKeepsTheDriveAsAFolderAndMapsOnlyDriveLettersBack) {
    for (const char* to : {R"(D:\Mirror)", R"(D:\Mirror\)"}) {
        EXPECT_EQ(DestinationFolderWindows(to, R"(C:\Data\Work)"), R"(D:\Mirror\C\Data\Work)");
        EXPECT_EQ(SourcePathWindows(to, R"(D:\Mirror\C\Data\Work)", "a.txt"),
                  R"(C:\Data\Work\a.txt)");
        // The Sync To directory, a drive folder alone, and any first level that is not a
        // drive letter (the copies of a network path above all) map to no source.
        for (const char* none :
             {R"(D:\Mirror)", R"(D:\Mirror\C)", R"(D:\Mirror\\\srv\share)", R"(D:\Mirror\CD\x)"})
            EXPECT_EQ(SourcePathWindows(to, none, "a.txt"), std::nullopt) << to << " " << none;
    }
    EXPECT_EQ(DestinationFolderWindows(R"(D:\Mirror)", R"(E:\)"), R"(D:\Mirror\E\)");
    EXPECT_EQ(DestinationFolderWindows(R"(D:\Mirror)", R"(\\srv\share\x)"),
              R"(D:\Mirror\\\srv\share\x)");
}

TEST(PathMapping, PosixRepeatsTheSourcePathBelowSyncTo) {
    for (const char* to : {"/m", "/m/"}) {
        EXPECT_EQ(DestinationFolderPosix(to, "/home/a/Data"), "/m/home/a/Data") << to;
        EXPECT_EQ(SourcePathPosix(to, "/m/home/a/Data", "f.txt"), "/home/a/Data/f.txt") << to;
        EXPECT_EQ(SourcePathPosix(to, "/m", "f.txt"), std::nullopt) << to;
    }
}
