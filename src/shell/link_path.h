// The path of a shortcut file: special folder, program group and shortcut name.
#pragma once
#include <cstddef>

// Writes folder, group and name joined by single backslashes, then ".lnk"; an empty
// group gives folder\name.lnk. False, with out empty, when the result would not fit
// outSize bytes or when folder is empty (a failed special-folder lookup), so that no
// shortcut is ever written relative to the current folder.
bool BuildLinkPath(char* out, size_t outSize, const char* folder, const char* group, const char* name);
