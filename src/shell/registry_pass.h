// The registry pass: product key, uninstall entry, COM server, search extension, verbs, file type.
#pragma once
#include <cstdint>

// Writes every entry in order; a key that cannot be opened or created, or a text that
// does not fit, skips only what depends on it. Reports nothing.
void RegisterProduct();

// The DDE "find" verb of a folder class (Drive, Directory).
void RegisterFolderVerb(const char* classKey, const char* programPath, const char* ddeCommand,
                        const char* ddeApplication, const char* ddeTopic);

// The extension, its type with icon, and the type's DDE "open" verb.
void RegisterFileType(const char* extension, const char* typeKey, const char* programPath, const char* typeName,
                      const char* ddeCommand, const char* ddeApplication, const char* ddeTopic, int16_t iconIndex);

// Creates the key of the given kind (see ClassesKeyKind) under HKEY_CLASSES_ROOT and
// sets its default value.
void WriteClassesKey(const char* text, const char* value, int16_t kind, bool verbFlag);
