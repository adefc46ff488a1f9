// The rules shared over the shipped file table: variant selection, destinations, shortcut folders.
#include <gtest/gtest.h>

#include <cstring>

#include "setup/install_manifest.h"
#include "setup/manifest_rules.h"
#include "util/bounded_text.h"

namespace {

struct ManifestFolders : testing::Test {
    void SetUp() override
    {
        saved = installManifest;
        CopyText(installManifest.installDir, 260, "C:\\Program Files\\Zorva\\Velmondo");
        CopyText(installManifest.windowsDir, 260, "C:\\Windows");
        CopyText(installManifest.systemDir, 260, "C:\\Windows\\System32");
    }
    void TearDown() override { installManifest = saved; }
    InstallManifest saved;
};

}  // namespace

TEST(ManifestRules, SelectsTheVariantRowsOfEachOsClass)
{
    const unsigned variant98Rows[] = {0, 2, 4, 5, 6, 7, 8, 9};
    const unsigned variantXpRows[] = {1, 3, 4, 5, 6, 7, 8, 9};
    for (uint8_t osClass = 0; osClass <= 3; osClass++) {
        const unsigned* expected = osClass <= 1 ? variant98Rows : variantXpRows;
        unsigned found = 0;
        for (unsigned row = 0; row < installManifest.fileCount; row++) {
            if (IsRowSelected(installManifest.entries[row], osClass)) {
                ASSERT_LT(found, 8u);
                EXPECT_EQ(expected[found], row) << "OsClass " << int(osClass);
                found++;
            }
        }
        EXPECT_EQ(8u, found) << "OsClass " << int(osClass);
    }
}

TEST(ManifestRules, SelectedSizesAddUpPerVariant)
{
    EXPECT_EQ(611387u, SelectedBytes(0));
    EXPECT_EQ(611387u, SelectedBytes(1));
    EXPECT_EQ(711227u, SelectedBytes(2));
    EXPECT_EQ(711227u, SelectedBytes(3));
}

TEST(ManifestRules, RowWithoutVariantBitsIsNeverSelected)
{
    FileEntry entry = installManifest.entries[4];
    entry.flags = LinkToInstallDir;
    for (uint8_t osClass = 0; osClass <= 3; osClass++)
        EXPECT_FALSE(IsRowSelected(entry, osClass));
}

TEST_F(ManifestFolders, DestinationAndShortcutFoldersFollowTheFlags)
{
    const struct {
        unsigned row;
        const char* destination;
        const char* shortcutFolder;
    } cases[] = {
        {0, "C:\\Windows\\QXTCleanup.exe", "C:\\Windows"},
        {1, "C:\\Windows\\QXTCleanup.exe", "C:\\Windows"},
        {2, "C:\\Program Files\\Zorva\\Velmondo\\Velmondo.exe", "C:\\Program Files\\Zorva\\Velmondo"},
        {6, "C:\\Program Files\\Zorva\\Velmondo\\Go Zorva.url", "C:\\Program Files\\Zorva\\Velmondo"},
        {9, "C:\\Windows\\System32\\QTXCtxMenu.dll", "C:\\Windows"},
    };
    for (const auto& c : cases) {
        char path[260];
        ASSERT_TRUE(DestinationPath(path, sizeof path, installManifest.entries[c.row]));
        EXPECT_STREQ(c.destination, path) << "row " << c.row;
        EXPECT_STREQ(c.shortcutFolder, ShortcutFolder(installManifest.entries[c.row])) << "row " << c.row;
    }
    // ToWindowsDir wins over ToSystemDir.
    FileEntry both = installManifest.entries[9];
    both.flags = ToWindowsDir | ToSystemDir | Variant98;
    EXPECT_STREQ(installManifest.windowsDir, DestinationFolder(both));
}

TEST(ManifestRules, ShortcutCountMatchesTheRowsThatDeclareOne)
{
    unsigned declared = 0;
    for (unsigned row = 0; row < installManifest.fileCount; row++)
        declared += installManifest.entries[row].shortcutName[0] != '-';
    EXPECT_EQ(installManifest.shortcutCount, declared);
}
