// Folder creation, folder clearing and existence tests on the Windows file system.
#pragma once

// Creates every missing folder of an absolute path, from the shortest prefix up.
// Returns the outcome of the last creation attempted (true when none was needed);
// a path of 260 characters or more is refused with false.
bool MakePath(const char* path);

// Deletes every file below an existing folder, keeping all folders and leaving
// folders whose names begin with a dot untouched. False when listing fails.
bool ClearFolder(const char* path);

// True when a file or a folder exists at path.
bool PathExists(const char* path);
