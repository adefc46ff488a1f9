// Reads the payload description: one line per file table row, columns separated by '|'.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

struct TableRow {
    std::string fileName;
    uint16_t flags;
    std::string resourceName;
    std::string shortcutName;
    bool stored;         // copied as it is (packedSize 0) instead of packed
    std::string source;  // file name in the staging folder
};

// Columns: installed name | flag names | resource | shortcut ("-": none) | lzhuf or stored | source.
// Blank lines and lines starting with '#' are skipped. Every row is checked against the fixed widths
// of the compiled record; the first bad line ends the parse with false and a message naming it.
bool ParseFileTable(const std::string& text, std::vector<TableRow>& rows, std::string& error);

// The flags as the compiled table spells them: "ToWindowsDir | Variant98", or "0".
std::string FlagExpression(uint16_t flags);
