// The registry pass: product key, uninstall entry, COM server, search extension, verbs, file type.
#include "shell/registry_pass.h"

#include <windows.h>

#include <cstring>

#include "setup/install_manifest.h"
#include "setup/system_probes.h"
#include "shell/registry_texts.h"

static bool CreateKey(HKEY parent, const char* path, HKEY* key)
{
    char noClass[] = "";
    return RegCreateKeyExA(parent, path, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key,
                           nullptr) == ERROR_SUCCESS;
}

static bool OpenKey(HKEY parent, const char* path, HKEY* key)
{
    return RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, key) == ERROR_SUCCESS;
}

// The size includes the terminator, so readers that trust the size get a terminated text.
static void SetText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}

// Creates path below parent, sets one value and closes the key again.
static void WriteValue(HKEY parent, const char* path, const char* name, const char* text)
{
    HKEY key;
    if (!CreateKey(parent, path, &key))
        return;
    SetText(key, name, text);
    RegCloseKey(key);
}

static void WriteProductKey()
{
    HKEY key;
    if (!CreateKey(HKEY_LOCAL_MACHINE, programsKeyPath, &key))
        return;
    SetText(key, installManifest.productName, installManifest.installDir);
    WriteValue(key, installManifest.productName, "Version", installManifest.version);
    RegCloseKey(key);
}

static void WriteUninstallEntry(char* text)
{
    HKEY uninstall;
    if (!OpenKey(HKEY_LOCAL_MACHINE, uninstallKeyPath, &uninstall))
        return;
    HKEY key;
    if (CreateKey(uninstall, installManifest.productName, &key)) {
        SetText(key, "DisplayName", installManifest.productName);
        if (DisplayVersionText(text, RegistryTextSize))
            SetText(key, "DisplayVersion", text);
        if (UninstallCommandText(text, RegistryTextSize))
            SetText(key, "UninstallString", text);
        SetText(key, "Program Path", installManifest.installDir);
        SetText(key, "Program Group", installManifest.programGroup);
        SetText(key, "Publisher", installManifest.publisher);
        SetText(key, "HelpLink", installManifest.helpLink);
        RegCloseKey(key);
    }
    RegCloseKey(uninstall);
}

static void WriteComServer(char* text)
{
    HKEY classes;
    if (!OpenKey(HKEY_CLASSES_ROOT, "CLSID", &classes))
        return;
    WriteValue(classes, productClsid, nullptr, installManifest.productName);
    HKEY key;
    if (CreateKey(classes, productServerKeyPath, &key)) {
        if (ServerPathText(text, RegistryTextSize))
            SetText(key, nullptr, text);
        SetText(key, "ThreadingModel", "Apartment");
        RegCloseKey(key);
    }
    RegCloseKey(classes);
}

static void WriteSearchExtension(char* text)
{
    // Never created: Explorer versions without this list have no use for the entry.
    HKEY extensions;
    if (!OpenKey(HKEY_LOCAL_MACHINE, searchExtensionsKeyPath, &extensions))
        return;
    char value[RegistryTextSize];
    if (SearchExtensionKeyPath(text, RegistryTextSize, 0))
        WriteValue(extensions, text, nullptr, productClsid);
    if (SearchExtensionKeyPath(text, RegistryTextSize, 1))
        WriteValue(extensions, text, nullptr, searchMenuText);
    if (SearchExtensionKeyPath(text, RegistryTextSize, 2) && ServerIconText(value, sizeof value))
        WriteValue(extensions, text, nullptr, value);
    RegCloseKey(extensions);
}

void RegisterProduct()
{
    char text[RegistryTextSize];
    WriteProductKey();
    WriteUninstallEntry(text);
    WriteComServer(text);
    WriteSearchExtension(text);
    // An install folder too long for the program path leaves it empty: the rows
    // that name the program are then skipped, the others still written.
    MainProgramPathText(text, sizeof text);
    RegisterFolderVerb("Drive", text, "SearchDrive", ddeApplicationName, ddeTopicName);
    RegisterFolderVerb("Directory", text, "SearchPath", ddeApplicationName, ddeTopicName);
    RegisterFileType(".z_vlm", "z_vlmFile", text, "Velmondo Project File", "OpenProject", ddeApplicationName,
                     ddeTopicName, 0);
}

static void WriteDdeVerb(const char* typeKey, const char* programPath, const char* ddeCommand,
                         const char* ddeApplication, const char* ddeTopic, bool verbFlag)
{
    char value[RegistryTextSize];
    if (CommandLineText(value, sizeof value, programPath))
        WriteClassesKey(typeKey, value, CommandKey, verbFlag);
    if (DdeExecuteText(value, sizeof value, ddeCommand))
        WriteClassesKey(typeKey, value, DdeExecKey, verbFlag);
    WriteClassesKey(typeKey, ddeApplication, DdeApplicationKey, verbFlag);
    WriteClassesKey(typeKey, ddeTopic, DdeTopicKey, verbFlag);
}

void RegisterFolderVerb(const char* classKey, const char* programPath, const char* ddeCommand,
                        const char* ddeApplication, const char* ddeTopic)
{
    WriteDdeVerb(classKey, programPath, ddeCommand, ddeApplication, ddeTopic, false);
}

void RegisterFileType(const char* extension, const char* typeKey, const char* programPath, const char* typeName,
                      const char* ddeCommand, const char* ddeApplication, const char* ddeTopic, int16_t iconIndex)
{
    WriteClassesKey(extension, typeKey, ExtensionKey, true);
    WriteClassesKey(typeKey, typeName, TypeKey, true);
    char value[RegistryTextSize];
    if (IconLocationText(value, sizeof value, programPath, iconIndex))
        WriteClassesKey(typeKey, value, IconKey, true);
    WriteDdeVerb(typeKey, programPath, ddeCommand, ddeApplication, ddeTopic, true);
}

void WriteClassesKey(const char* text, const char* value, int16_t kind, bool verbFlag)
{
    char path[RegistryTextSize];
    if (!ClassesKeyPath(path, sizeof path, text, kind, verbFlag))
        return;
    WriteValue(HKEY_CLASSES_ROOT, path, nullptr, value);
}
