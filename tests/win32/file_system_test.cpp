// Folder creation, clearing and existence tests on Wine's real file system.
#include <gtest/gtest.h>

#include <string>

#include "scratch_folder.h"
#include "util/file_system.h"

namespace {

struct FileSystem : testing::Test {
    void SetUp() override { root = MakeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name()); }
    void TearDown() override { RemoveTree(root); }
    bool Exists(const std::string& relative) { return PathExists((root + relative).c_str()); }
    std::string root;
};

}  // namespace

TEST_F(FileSystem, MakePathCreatesEveryMissingLevel)
{
    EXPECT_TRUE(MakePath((root + "\\A\\B\\C").c_str()));
    EXPECT_TRUE(Exists("\\A"));
    EXPECT_TRUE(Exists("\\A\\B"));
    EXPECT_TRUE(Exists("\\A\\B\\C"));
    // A trailing backslash and an existing path need no creation.
    EXPECT_TRUE(MakePath((root + "\\A\\B\\C\\").c_str()));
    EXPECT_TRUE(MakePath((root + "\\A\\\\D").c_str()));
    EXPECT_TRUE(Exists("\\A\\D"));
}

TEST_F(FileSystem, MakePathGoesOnPastALevelThatCannotBeCreatedAndReportsFalse)
{
    // A file where a folder should be: neither it nor anything below it can be made.
    WriteFileText(root + "\\Blocked", "file");
    EXPECT_FALSE(MakePath((root + "\\Blocked\\Sub\\Deeper").c_str()));
    EXPECT_FALSE(Exists("\\Blocked\\Sub"));
}

TEST_F(FileSystem, MakePathOnTheBareRootCreatesNothing)
{
    EXPECT_TRUE(MakePath("C:\\"));
    EXPECT_TRUE(PathExists("C:\\"));
}

TEST_F(FileSystem, MakePathRefusesAPathBeyondTheBuffer)
{
    std::string tooLong = root + "\\" + std::string(260, 'a');
    EXPECT_FALSE(MakePath(tooLong.c_str()));
}

TEST_F(FileSystem, ClearFolderDeletesFilesKeepsFoldersAndSkipsDotFolders)
{
    WriteFileText(root + "\\readonly.txt", "r");
    SetFileAttributesA((root + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileText(root + "\\.hidden-name", "h");
    CreateDirectoryA((root + "\\Sub").c_str(), nullptr);
    WriteFileText(root + "\\Sub\\inner.txt", "i");
    CreateDirectoryA((root + "\\.cache").c_str(), nullptr);
    WriteFileText(root + "\\.cache\\kept.txt", "k");

    EXPECT_TRUE(ClearFolder(root.c_str()));

    EXPECT_FALSE(Exists("\\readonly.txt"));
    EXPECT_FALSE(Exists("\\.hidden-name"));
    EXPECT_TRUE(Exists("\\Sub"));
    EXPECT_FALSE(Exists("\\Sub\\inner.txt"));
    EXPECT_TRUE(Exists("\\.cache\\kept.txt"));
}

TEST_F(FileSystem, ClearFolderOnAMissingFolderReportsFalse)
{
    WriteFileText(root + "\\stays.txt", "s");
    EXPECT_FALSE(ClearFolder((root + "\\Missing").c_str()));
    EXPECT_TRUE(Exists("\\stays.txt"));
}

TEST_F(FileSystem, PathExistsForFilesAndFoldersOnly)
{
    WriteFileText(root + "\\file.txt", "f");
    EXPECT_TRUE(Exists(""));
    EXPECT_TRUE(Exists("\\file.txt"));
    EXPECT_FALSE(Exists("\\nothing.txt"));
    EXPECT_FALSE(PathExists("Q:\\no drive"));
}
