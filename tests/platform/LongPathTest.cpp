// Paths past the system's own limit and up to the 32,767 characters that Windows allows. The
// mirror's deep-tree test makes, copies and deletes at such depths; here the far end.
#include "fileio/FolderIdentity.h"
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/DeepFolder.h"
#include "tests/support/OpenDescriptors.h"

#ifndef _WIN32
// `path` extended by folders made below it until it is exactly `length` characters long.
static std::string FolderOfLength(std::string path, std::size_t length) {
    while (path.size() < length) {
        const std::size_t left = length - path.size();  // a separator and a name, at least 2
        path +=
            "/" + std::string(left <= 201 ? left - 1 : std::min<std::size_t>(200, left - 3), 'e');
        CreateDirectoryA(path.c_str(), nullptr);
    }
    return path;
}
#endif

TEST_F(PlatformTest, EveryCallReachesPathsPastTheSystemLimitUpToWindowsOwn) {
    const DeepFolder deep(dir, dir.str(), 32600);
    const std::string& folder = deep.path();
    ASSERT_GT(folder.size(), std::min<std::size_t>(32000, DeepFolder::Reach() - 201));
    const std::string file = folder + kSep + "file.txt";
    DeepFolder::Write(file, "deep");
    EXPECT_EQ(FoundNames(folder + kSep + "*.*"), (Names{".", "..", "file.txt"}));
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(DeepFolder::SizeOf(file), 4);
    EXPECT_EQ(Outcome(Open(file, GENERIC_READ, OPEN_EXISTING)), "ok");
#ifndef _WIN32
    // The limits themselves: a path of the system's length, a folder part of it taken in
    // pieces, and Windows' own length are all reached, by calls that close what they open.
    const int openBefore = OpenDescriptors();
    for (const std::string& path :
         {FolderOfLength(dir.str(), 4094) + "/f", FolderOfLength(dir.str(), 4097) + "/f",
          FolderOfLength(folder, 32765) + "/f"}) {
        SCOPED_TRACE(path.size());
        DeepFolder::Write(path, "at the limit");
        EXPECT_EQ(DeepFolder::SizeOf(path), 12);
        EXPECT_EQ(Outcome(DeleteFileA(path.c_str())), "ok");
    }
    for (int i = 0; i < 50; ++i)
        DeepFolder::SizeOf(file);
    EXPECT_EQ(OpenDescriptors(), openBefore);
    // A folder named with a trailing separator, as the erase names it.
    const std::string empty = folder + "/empty";
    ASSERT_EQ(Outcome(CreateDirectoryA((empty + "/").c_str(), nullptr)), "ok");
    EXPECT_EQ(Outcome(RemoveDirectoryA((empty + "/").c_str())), "ok");
    EXPECT_EQ(DeepFolder::SizeOf(empty), -1);
#endif
    EXPECT_EQ(Outcome(DeleteFileA(file.c_str())), "ok");
#ifdef _WIN32
    // The spellings a user may type: the folder's identity and resolved path, the settings file
    // (Wine's own settings-file functions and resolved paths stop at MAX_PATH), and a relative
    // path with forward separators and a step back.
    EXPECT_TRUE(folders::IdentityOf(folder + "\\.\\").has_value());
    if (!RunningUnderWine()) {
        const std::string ini = folder + "\\s.ini";
        EXPECT_EQ(Outcome(WritePrivateProfileStringA("Main", "Key", "v", ini.c_str())), "ok");
        char value[8] = {};
        EXPECT_EQ(GetPrivateProfileStringA("Main", "Key", "", value, sizeof value, ini.c_str()),
                  1u);
        EXPECT_EQ(folders::FinalPathOf(folder + "\\.\\"), folder);
    }
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::string relative = folder.substr(dir.str().size() + 1) + "/made/../made2";
    std::replace(relative.begin(), relative.end(), '\\', '/');
    EXPECT_EQ(Outcome(CreateDirectoryA(relative.c_str(), nullptr)), "ok");
    std::filesystem::current_path(before);
    EXPECT_EQ(FoundNames(folder + "\\made*"), Names{"made2"});
    EXPECT_EQ(Outcome(RemoveDirectoryA((folder + "\\made2").c_str())), "ok");
    EXPECT_EQ(GetFileAttributesA((folder + "\\made2").c_str()), INVALID_FILE_ATTRIBUTES);
#endif

    // Past Windows' limit the path is refused as it is there.
    const std::string tooLong = dir.str() + kSep + std::string(32768 - dir.str().size() - 1, 'x');
    EXPECT_EQ(Outcome(CreateDirectoryA(tooLong.c_str(), nullptr)),
              Failed(ERROR_FILENAME_EXCED_RANGE));
}
