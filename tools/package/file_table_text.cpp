// Reads the payload description: one line per file table row, columns separated by '|'.
#include "file_table_text.h"

#include <string.h>

#include "setup/install_manifest.h"

namespace {

const struct {
    const char* name;
    uint16_t bit;
} flagNames[] = {
    {"LinkToInstallDir", LinkToInstallDir}, {"ToWindowsDir", ToWindowsDir}, {"ToSystemDir", ToSystemDir},
    {"Variant98", Variant98},               {"VariantXP", VariantXP},
};

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitColumns(const std::string& line)
{
    std::vector<std::string> columns;
    size_t start = 0;
    for (;;) {
        size_t bar = line.find('|', start);
        columns.push_back(Trim(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            return columns;
        start = bar + 1;
    }
}

// Names end up in C string literals and on Windows file systems: a quote or a backslash would break
// the generated source, and the other characters are refused by Windows in a file name.
bool IsPlainName(const std::string& name)
{
    for (unsigned char c : name) {
        if (c < 0x20 || c >= 0x7F || strchr("\"\\/:*?<>|", c) != nullptr)
            return false;
    }
    return true;
}

// A resource name must stay a name for windres: a leading digit would make it a number.
bool IsResourceName(const std::string& name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char c : name) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    }
    return true;
}

bool ParseFlags(const std::string& words, uint16_t& flags, std::string& bad)
{
    flags = 0;
    size_t at = 0;
    while ((at = words.find_first_not_of(" \t", at)) != std::string::npos) {
        size_t end = words.find_first_of(" \t", at);
        std::string word = words.substr(at, end == std::string::npos ? std::string::npos : end - at);
        bool known = false;
        for (const auto& flag : flagNames) {
            if (word == flag.name) {
                flags |= flag.bit;
                known = true;
            }
        }
        if (!known) {
            bad = word;
            return false;
        }
        at = end;
    }
    return true;
}

bool ParseRow(const std::string& line, TableRow& row, std::string& error)
{
    std::vector<std::string> columns = SplitColumns(line);
    if (columns.size() != 6) {
        error = "expected 6 columns separated by '|', found " + std::to_string(columns.size());
        return false;
    }
    const FileEntry entry = {};
    row.fileName = columns[0];
    if (row.fileName.empty() || row.fileName.size() >= sizeof entry.fileName || !IsPlainName(row.fileName)) {
        error = "file name '" + row.fileName + "' must be 1 to " + std::to_string(sizeof entry.fileName - 1) +
                " characters a Windows file name may hold";
        return false;
    }
    std::string bad;
    if (!ParseFlags(columns[1], row.flags, bad)) {
        error = "unknown flag '" + bad + "'";
        return false;
    }
    row.resourceName = columns[2];
    if (row.resourceName.size() >= sizeof entry.resourceName || !IsResourceName(row.resourceName)) {
        error = "resource name '" + row.resourceName + "' must be 1 to " +
                std::to_string(sizeof entry.resourceName - 1) + " of A-Z, 0-9 and _, not starting with a digit";
        return false;
    }
    row.shortcutName = columns[3];
    if (row.shortcutName.empty() || row.shortcutName.size() >= sizeof entry.shortcutName ||
        !IsPlainName(row.shortcutName)) {
        error = "shortcut name '" + row.shortcutName + "' must be '-' or 1 to " +
                std::to_string(sizeof entry.shortcutName - 1) + " characters a Windows file name may hold";
        return false;
    }
    if (columns[4] != "lzhuf" && columns[4] != "stored") {
        error = "packing '" + columns[4] + "' must be lzhuf or stored";
        return false;
    }
    row.stored = columns[4] == "stored";
    row.source = columns[5];
    if (row.source.empty() || !IsPlainName(row.source)) {
        error = "source '" + row.source + "' must be a file name in the staging folder";
        return false;
    }
    return true;
}

}  // namespace

bool ParseFileTable(const std::string& text, std::vector<TableRow>& rows, std::string& error)
{
    rows.clear();
    size_t start = 0;
    for (unsigned lineNumber = 1; start < text.size(); lineNumber++) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        std::string content = Trim(line);
        if (content.empty() || content[0] == '#')
            continue;
        TableRow row;
        std::string problem;
        if (!ParseRow(content, row, problem)) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
        for (const TableRow& earlier : rows) {
            if (earlier.resourceName == row.resourceName) {
                error = "line " + std::to_string(lineNumber) + ": resource " + row.resourceName + " named twice";
                return false;
            }
        }
        if (rows.size() == ManifestRows) {
            error = "line " + std::to_string(lineNumber) + ": the file table holds at most " +
                    std::to_string(int(ManifestRows)) + " rows";
            return false;
        }
        rows.push_back(row);
    }
    if (rows.empty()) {
        error = "no rows";
        return false;
    }
    return true;
}

std::string FlagExpression(uint16_t flags)
{
    std::string expression;
    for (const auto& flag : flagNames) {
        if (flags & flag.bit)
            expression += (expression.empty() ? "" : " | ") + std::string(flag.name);
    }
    return expression.empty() ? "0" : expression;
}
