// Writes what the build compiles from the packed payload: the file table rows, their checksums and the .rc.
#include "generated_sources.h"

#include <stdio.h>

namespace {

const char madeBy[] = "Made by the packaging step (tools/package) from payload/file_table.txt: edit that file.";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

}  // namespace

std::string FileTableSource(const std::vector<TableRow>& rows, const std::vector<PackedRow>& packed)
{
    std::string out = std::string("// ") + madeBy + "\n    {\n";
    unsigned shortcuts = 0;
    for (size_t i = 0; i < rows.size(); i++) {
        const TableRow& row = rows[i];
        out += "        {" + Quoted(row.fileName) + ", " + FlagExpression(row.flags) + ", " + Quoted(row.resourceName) +
               ", " + Quoted(row.shortcutName) + ", " + std::to_string(packed[i].size) + ", " +
               std::to_string(packed[i].packedSize) + "},\n";
        // The shortcut pass looks only at the first character, so the count must too.
        if (row.shortcutName[0] != '-')
            shortcuts++;
    }
    out += "    },\n    " + std::to_string(rows.size()) + ",\n    " + std::to_string(shortcuts) + ",\n";
    return out;
}

std::string ChecksumSource(const std::vector<TableRow>& rows, const std::vector<PackedRow>& packed)
{
    std::string out = std::string("// ") + madeBy + "\n";
    for (size_t i = 0; i < rows.size(); i++) {
        char line[96];
        snprintf(line, sizeof line, "    0x%08Xu,  // %s\n", unsigned(packed[i].checksum),
                 rows[i].resourceName.c_str());
        out += line;
    }
    return out;
}

std::string ResourceScript(const std::vector<TableRow>& rows, const std::vector<PackedRow>& packed)
{
    std::string out = std::string("/* ") + madeBy + " */\n";
    for (size_t i = 0; i < rows.size(); i++)
        out += rows[i].resourceName + " RCDATA " + Quoted(packed[i].resourcePath) + "\n";
    return out;
}
