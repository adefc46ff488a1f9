// The texts the registry pass writes: key paths, fixed names and formatted values.
#include "shell/registry_texts.h"

#include "setup/install_manifest.h"
#include "util/bounded_text.h"
#include "util/path_text.h"

const char uninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char searchExtensionsKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\FindExtensions\\Static";
const char productClsid[] = "{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}";
const char productServerKeyPath[] = "{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}\\InProcServer32";
const char searchMenuText[] = "&Velmondo Search...";
const char ddeApplicationName[] = "Velmondo";
const char ddeTopicName[] = "Search";

enum { UninstallerRow = 0, MainProgramRow = 2, ServerRow = 9 };

bool ClassesKeyPath(char* out, size_t outSize, const char* text, int16_t kind, bool verbFlag)
{
    const char* verb = verbFlag ? "open" : "find";
    switch (kind) {
    case ExtensionKey:
    case TypeKey:
        return CopyText(out, outSize, text);
    case IconKey:
        return FormatText(out, outSize, "%s\\DefaultIcon", text);
    case CommandKey:
        return FormatText(out, outSize, "%s\\shell\\%s\\command", text, verb);
    case DdeExecKey:
        return FormatText(out, outSize, "%s\\shell\\%s\\ddeexec", text, verb);
    case DdeApplicationKey:
        return FormatText(out, outSize, "%s\\shell\\%s\\ddeexec\\application", text, verb);
    case DdeTopicKey:
        return FormatText(out, outSize, "%s\\shell\\%s\\ddeexec\\topic", text, verb);
    }
    if (outSize > 0)
        out[0] = '\0';
    return false;
}

bool DisplayVersionText(char* out, size_t outSize)
{
    return FormatText(out, outSize, "v%s", installManifest.version);
}

bool UninstallCommandText(char* out, size_t outSize)
{
    return JoinPath(out, outSize, installManifest.windowsDir, installManifest.entries[UninstallerRow].fileName, false);
}

bool MainProgramPathText(char* out, size_t outSize)
{
    return JoinPath(out, outSize, installManifest.installDir, installManifest.entries[MainProgramRow].fileName, false);
}

bool ServerPathText(char* out, size_t outSize)
{
    return JoinPath(out, outSize, installManifest.systemDir, installManifest.entries[ServerRow].fileName, false);
}

bool ServerIconText(char* out, size_t outSize)
{
    return ServerPathText(out, outSize) && AppendText(out, outSize, ",0");
}

bool SearchExtensionKeyPath(char* out, size_t outSize, int level)
{
    bool fits = CopyText(out, outSize, installManifest.productName);
    if (fits && level >= 1)
        fits = AppendText(out, outSize, "\\0");
    if (fits && level >= 2)
        fits = AppendText(out, outSize, "\\DefaultIcon");
    return fits;
}

static bool RefuseEmpty(char* out, size_t outSize)
{
    if (outSize > 0)
        out[0] = '\0';
    return false;
}

bool CommandLineText(char* out, size_t outSize, const char* programPath)
{
    if (programPath[0] == '\0')
        return RefuseEmpty(out, outSize);
    return FormatText(out, outSize, "\"%s\" /DDE", programPath);
}

bool IconLocationText(char* out, size_t outSize, const char* programPath, int16_t iconIndex)
{
    if (programPath[0] == '\0')
        return RefuseEmpty(out, outSize);
    return FormatText(out, outSize, "\"%s\",%d", programPath, iconIndex);
}

bool DdeExecuteText(char* out, size_t outSize, const char* ddeCommand)
{
    return FormatText(out, outSize, "[%s(\"%%1\")]", ddeCommand);
}
