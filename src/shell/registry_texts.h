// The texts the registry pass writes: key paths, fixed names and formatted values.
#pragma once
#include <cstddef>
#include <cstdint>

// Every composed key path or value is built in a buffer of this many bytes; a text
// that would not fit is refused (false, empty result) and its row is not written,
// rather than a cut text being stored as if it were whole.
enum { RegistryTextSize = 256 };

extern const char uninstallKeyPath[];       // under HKEY_LOCAL_MACHINE
extern const char searchExtensionsKeyPath[];  // under HKEY_LOCAL_MACHINE
extern const char productClsid[];
extern const char productServerKeyPath[];   // below HKEY_CLASSES_ROOT\CLSID
extern const char searchMenuText[];
extern const char ddeApplicationName[];
extern const char ddeTopicName[];

// Key kinds of WriteClassesKey, each a path under HKEY_CLASSES_ROOT.
enum ClassesKeyKind : int16_t {
    ExtensionKey = 1,      // the text itself
    TypeKey = 2,           // the text itself
    IconKey = 3,           // text\DefaultIcon
    CommandKey = 4,        // text\shell\verb\command
    DdeExecKey = 5,        // text\shell\verb\ddeexec
    DdeApplicationKey = 6, // text\shell\verb\ddeexec\application
    DdeTopicKey = 7,       // text\shell\verb\ddeexec\topic
};

// The verb is "open" when verbFlag is set, else "find". An unknown kind is refused.
bool ClassesKeyPath(char* out, size_t outSize, const char* text, int16_t kind, bool verbFlag);

// Texts from the install manifest.
bool DisplayVersionText(char* out, size_t outSize);   // "v" and version
bool UninstallCommandText(char* out, size_t outSize); // windowsDir\uninstaller, unquoted
bool MainProgramPathText(char* out, size_t outSize);  // installDir\main program, unquoted
bool ServerPathText(char* out, size_t outSize);       // systemDir\extension server, unquoted
bool ServerIconText(char* out, size_t outSize);       // server path and ",0"

// Key below the search extensions key: 0 the product, 1 its menu entry "0", 2 that entry's DefaultIcon.
bool SearchExtensionKeyPath(char* out, size_t outSize, int level);

// A program path that did not fit its own buffer arrives empty: these then refuse
// rather than register a command or icon that names no program.
bool CommandLineText(char* out, size_t outSize, const char* programPath);  // "path" /DDE
bool IconLocationText(char* out, size_t outSize, const char* programPath, int16_t iconIndex);  // "path",index
bool DdeExecuteText(char* out, size_t outSize, const char* ddeCommand);  // [command("%1")]
