// The destination check's text rules: its refusals, the product-name rule, and the longest folder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/path_text.h"
#include "wizard/destination_rules.h"

namespace {

// A folder of exactly length characters that ends in the product's folder.
std::string NamedFolder(size_t length)
{
    std::string tail = "\\Velmondo";
    return "C:\\" + std::string(length - 3 - tail.size(), 'a') + tail;
}

}  // namespace

TEST(CheckDestination, RefusesOrBuildsTheInstallFolder)
{
    const std::string longest = NamedFolder(235);
    const std::string tooLong = NamedFolder(236);
    const std::string unnamed = "C:\\" + std::string(223, 'a');  // 226 + "\Velmondo" = 235
    const std::string unnamedExtended = unnamed + "\\Velmondo";
    const std::string unnamedTooLong = unnamed + "b";
    const std::string longestWithBackslash = longest + "\\";
    const std::string beyondTheField = "C:\\" + std::string(256, 'a');
    const struct {
        const char* typed;
        DestinationVerdict verdict;
        const char* folder;
    } cases[] = {
        {"", DestinationEmpty, nullptr},
        {"C:", DestinationNoDrive, nullptr},
        {"C", DestinationNoDrive, nullptr},
        {"\\\\server\\share", DestinationNoDrive, nullptr},
        {"C:Apps", DestinationNoDrive, nullptr},
        {"C:\\", DestinationRootDrive, nullptr},
        {"1:\\Apps", DestinationAccepted, "1:\\Apps\\Velmondo"},  // the drive letter is not examined
        {"C:\\Apps", DestinationAccepted, "C:\\Apps\\Velmondo"},
        {"C:\\Apps\\", DestinationAccepted, "C:\\Apps\\Velmondo"},
        {"c:\\program files\\velmondo", DestinationAccepted, "c:\\program files\\velmondo"},
        {"C:\\Tools\\Velmondo2\\bin", DestinationAccepted, "C:\\Tools\\Velmondo2\\bin"},
        {"D:\\myvelmondo", DestinationAccepted, "D:\\myvelmondo"},
        {"C:\\VELMOND", DestinationAccepted, "C:\\VELMOND\\Velmondo"},  // a name cut at the end is no match
        {longest.c_str(), DestinationAccepted, longest.c_str()},
        {longestWithBackslash.c_str(), DestinationAccepted, longestWithBackslash.c_str()},  // no second one
        {tooLong.c_str(), DestinationTooLong, nullptr},
        {unnamed.c_str(), DestinationAccepted, unnamedExtended.c_str()},
        {unnamedTooLong.c_str(), DestinationTooLong, nullptr},  // too long only once extended
        {beyondTheField.c_str(), DestinationTooLong, nullptr},  // the join itself does not fit
    };
    for (const auto& c : cases) {
        char folder[PathBufferSize + 8];
        memset(folder, 'x', sizeof folder);
        EXPECT_EQ(c.verdict, CheckDestination(c.typed, folder, PathBufferSize)) << c.typed;
        if (c.folder != nullptr) {
            EXPECT_STREQ(c.folder, folder) << c.typed;
        }
        for (size_t i = PathBufferSize; i < sizeof folder; i++)
            ASSERT_EQ('x', folder[i]) << c.typed;
    }
}

TEST(CheckDestination, LongestFolderIsSetByTheQuotedProgramCommand)
{
    // "\"" + folder + "\\Velmondo.exe\" /DDE" must fit 255 characters: 235 for the folder,
    // well below what the longest installed path (folder + "\\" + 12 characters) would allow.
    EXPECT_EQ(235u, LongestInstallFolder());
    EXPECT_TRUE(InstallFolderFits(NamedFolder(235).c_str()));
    EXPECT_FALSE(InstallFolderFits(NamedFolder(236).c_str()));
}

TEST(FormatRefusal, PutsTheReasonAfterThePathInvalidLines)
{
    const struct {
        DestinationVerdict verdict;
        const char* text;
    } cases[] = {
        {DestinationEmpty, "Path Invalid!\r\n\r\nPath may not be empty!"},
        {DestinationNoDrive, "Path Invalid!\r\n\r\nMissing : or \\ in drive."},
        {DestinationRootDrive, "Path Invalid!\r\n\r\nPath may not be a root drive..."},
        {DestinationTooLong, "Path Invalid!\r\n\r\nPath may not be longer than 235 characters!"},
    };
    for (const auto& c : cases) {
        char text[128];
        EXPECT_TRUE(FormatRefusal(text, sizeof text, c.verdict)) << c.text;
        EXPECT_STREQ(c.text, text);
    }
}
