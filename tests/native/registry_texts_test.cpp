// Registry texts: the classes key kinds, the formatted values, and refusal of what does not fit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/install_manifest.h"
#include "shell/registry_texts.h"
#include "util/bounded_text.h"

namespace {

const char* const mainProgram = "C:\\Program Files\\Zorva\\Velmondo\\Velmondo.exe";

struct RegistryTexts : testing::Test {
    void SetUp() override
    {
        saved = installManifest;
        SetFolders("C:\\Program Files\\Zorva\\Velmondo", "C:\\Windows", "C:\\Windows\\System32");
    }
    void TearDown() override { installManifest = saved; }
    void SetFolders(const std::string& install, const char* windows, const char* system)
    {
        ASSERT_TRUE(CopyText(installManifest.installDir, 260, install.c_str()));
        ASSERT_TRUE(CopyText(installManifest.windowsDir, 260, windows));
        ASSERT_TRUE(CopyText(installManifest.systemDir, 260, system));
    }
    InstallManifest saved;
};

// A refused text must come back empty, not half written over the sentinel bytes the cases fill in first.
void ExpectComposed(bool composed, const char* text, const char* expected, const std::string& label)
{
    if (expected == nullptr) {
        EXPECT_FALSE(composed) << label;
        EXPECT_STREQ("", text) << label;
    } else {
        EXPECT_TRUE(composed) << label;
        EXPECT_STREQ(expected, text) << label;
    }
}

}  // namespace

TEST(RegistryTextRules, ClassesKeyPathFollowsKindAndVerb)
{
    const std::string fitsExactly(255 - strlen("\\shell\\find\\command"), 'k');
    const std::string longest(255, 'e');
    const char* const whole = nullptr;
    const struct {
        std::string text;
        int16_t kind;
        bool verbFlag;
        std::string expected;
        const char* refusal;  // set: the path must be refused
    } cases[] = {
        {".z_vlm", ExtensionKey, true, ".z_vlm", whole},
        {"z_vlmFile", TypeKey, true, "z_vlmFile", whole},
        {"z_vlmFile", IconKey, true, "z_vlmFile\\DefaultIcon", whole},
        {"z_vlmFile", CommandKey, true, "z_vlmFile\\shell\\open\\command", whole},
        {"Drive", CommandKey, false, "Drive\\shell\\find\\command", whole},
        {"Directory", DdeExecKey, false, "Directory\\shell\\find\\ddeexec", whole},
        {"Drive", DdeApplicationKey, false, "Drive\\shell\\find\\ddeexec\\application", whole},
        {"z_vlmFile", DdeTopicKey, true, "z_vlmFile\\shell\\open\\ddeexec\\topic", whole},
        {fitsExactly, CommandKey, false, fitsExactly + "\\shell\\find\\command", whole},
        {longest, ExtensionKey, true, longest, whole},
        // Kinds outside 1 to 7 name no key at all.
        {"Drive", 0, false, "", "unknown kind"},
        {"Drive", 8, false, "", "unknown kind"},
        {"Drive", -1, true, "", "unknown kind"},
        {fitsExactly + "k", CommandKey, false, "", "one byte too long"},
        {longest + "e", ExtensionKey, true, "", "one byte too long"},
    };
    for (const auto& c : cases) {
        char path[RegistryTextSize];
        memset(path, 'x', sizeof path);
        bool composed = ClassesKeyPath(path, sizeof path, c.text.c_str(), c.kind, c.verbFlag);
        ExpectComposed(composed, path, c.refusal ? nullptr : c.expected.c_str(),
                       c.text.substr(0, 20) + " kind " + std::to_string(c.kind));
    }
}

TEST_F(RegistryTexts, ValuesComposeFromTheManifestAndTheirArguments)
{
    const struct {
        const char* label;
        bool (*compose)(char* out, size_t size);
        const char* expected;
    } cases[] = {
        {"display version", [](char* o, size_t s) { return DisplayVersionText(o, s); }, "v5.00"},
        {"uninstall", [](char* o, size_t s) { return UninstallCommandText(o, s); }, "C:\\Windows\\QXTCleanup.exe"},
        {"main program", [](char* o, size_t s) { return MainProgramPathText(o, s); }, mainProgram},
        {"server", [](char* o, size_t s) { return ServerPathText(o, s); }, "C:\\Windows\\System32\\QTXCtxMenu.dll"},
        {"server icon", [](char* o, size_t s) { return ServerIconText(o, s); },
         "C:\\Windows\\System32\\QTXCtxMenu.dll,0"},
        {"extension key", [](char* o, size_t s) { return SearchExtensionKeyPath(o, s, 0); }, "Velmondo"},
        {"menu key", [](char* o, size_t s) { return SearchExtensionKeyPath(o, s, 1); }, "Velmondo\\0"},
        {"menu icon key", [](char* o, size_t s) { return SearchExtensionKeyPath(o, s, 2); },
         "Velmondo\\0\\DefaultIcon"},
        {"command", [](char* o, size_t s) { return CommandLineText(o, s, mainProgram); },
         "\"C:\\Program Files\\Zorva\\Velmondo\\Velmondo.exe\" /DDE"},
        {"project icon", [](char* o, size_t s) { return IconLocationText(o, s, mainProgram, 0); },
         "\"C:\\Program Files\\Zorva\\Velmondo\\Velmondo.exe\",0"},
        {"negative icon index", [](char* o, size_t s) { return IconLocationText(o, s, "C:\\V.exe", -2); },
         "\"C:\\V.exe\",-2"},
        {"drive search", [](char* o, size_t s) { return DdeExecuteText(o, s, "SearchDrive"); },
         "[SearchDrive(\"%1\")]"},
        {"project open", [](char* o, size_t s) { return DdeExecuteText(o, s, "OpenProject"); },
         "[OpenProject(\"%1\")]"},
        // A percent sign in a folder name is text, never a format directive.
        {"percent in path", [](char* o, size_t s) { return CommandLineText(o, s, "C:\\100%s %d\\V.exe"); },
         "\"C:\\100%s %d\\V.exe\" /DDE"},
        // An empty program path stands for one that did not fit: no command names nothing.
        {"empty command", [](char* o, size_t s) { return CommandLineText(o, s, ""); }, nullptr},
        {"empty icon", [](char* o, size_t s) { return IconLocationText(o, s, "", 0); }, nullptr},
    };
    for (const auto& c : cases) {
        char text[RegistryTextSize];
        memset(text, 'x', sizeof text);
        ExpectComposed(c.compose(text, sizeof text), text, c.expected, c.label);
    }
}

TEST_F(RegistryTexts, TextsAtTheBufferLimitAreWholeOrRefused)
{
    // The quoted command is the longest text built from the install folder: 20 bytes
    // more than the folder ("\Velmondo.exe", two quotes, " /DDE").
    const struct {
        size_t folderLength;
        bool pathFits;
        bool commandFits;
    } cases[] = {
        {235, true, true},   // command of 255 characters and its terminator
        {236, true, false},  // the path still fits, the command no longer does
        {241, true, false},  // path of 254 characters, the most a joined path holds here
        {242, false, false},
    };
    for (const auto& c : cases) {
        std::string folder = "C:\\" + std::string(c.folderLength - 3, 'd');
        SetFolders(folder, "C:\\Windows", "C:\\Windows\\System32");
        std::string label = "install folder of " + std::to_string(c.folderLength);

        char path[RegistryTextSize];
        memset(path, 'x', sizeof path);
        std::string expectedPath = folder + "\\Velmondo.exe";
        ExpectComposed(MainProgramPathText(path, sizeof path), path, c.pathFits ? expectedPath.c_str() : nullptr,
                       label + ": path");

        char command[RegistryTextSize];
        memset(command, 'x', sizeof command);
        std::string expectedCommand = "\"" + expectedPath + "\" /DDE";
        ExpectComposed(CommandLineText(command, sizeof command, path), command,
                       c.commandFits ? expectedCommand.c_str() : nullptr, label + ": command");
    }

    // The search extension's icon is four bytes longer than the server path it is made from.
    SetFolders("C:\\Velmondo", "C:\\Windows", ("C:\\" + std::string(236, 's')).c_str());
    char text[RegistryTextSize];
    EXPECT_TRUE(ServerPathText(text, sizeof text));
    EXPECT_EQ(254u, strlen(text));
    ExpectComposed(ServerIconText(text, sizeof text), text, nullptr, "server icon past the limit");
}
