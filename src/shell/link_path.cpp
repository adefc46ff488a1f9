// The path of a shortcut file: special folder, program group and shortcut name.
#include "shell/link_path.h"

#include <cstring>

#include "util/bounded_text.h"

static bool EndsInBackslash(const char* text)
{
    size_t length = strlen(text);
    return length > 0 && text[length - 1] == '\\';
}

bool BuildLinkPath(char* out, size_t outSize, const char* folder, const char* group, const char* name)
{
    if (outSize == 0)
        return false;
    out[0] = '\0';
    if (folder[0] == '\0')
        return false;
    bool fits = CopyText(out, outSize, folder);
    if (fits && !EndsInBackslash(out))
        fits = AppendText(out, outSize, "\\");
    if (fits)
        fits = AppendText(out, outSize, group);
    if (fits && !EndsInBackslash(out))
        fits = AppendText(out, outSize, "\\");
    if (fits)
        fits = AppendText(out, outSize, name);
    if (fits)
        fits = AppendText(out, outSize, ".lnk");
    return fits;
}
