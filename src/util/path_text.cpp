// Text rules of paths: joining two parts and capitalising the words of a path.
#include "util/path_text.h"

#include <cstring>

bool JoinPath(char* out, size_t outSize, const char* first, const char* second, bool quote)
{
    size_t firstLength = strlen(first);
    size_t secondLength = strlen(second);
    bool separator = firstLength > 0 && first[firstLength - 1] != '\\';
    size_t quotes = quote ? 2 : 0;
    size_t needed = quotes + firstLength + (separator ? 1 : 0) + secondLength + 2;
    if (needed > outSize) {
        if (outSize > 0)
            out[0] = '\0';
        if (outSize > 1)
            out[1] = '\0';
        return false;
    }
    char* write = out;
    if (quote)
        *write++ = '"';
    memcpy(write, first, firstLength);
    write += firstLength;
    if (separator)
        *write++ = '\\';
    memcpy(write, second, secondLength);
    write += secondLength;
    if (quote)
        *write++ = '"';
    write[0] = '\0';
    write[1] = '\0';
    return true;
}

static bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
static bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

void TitleCaseWords(char* text)
{
    if (text[0] == '\0')
        return;
    if (IsLower(text[0]))
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    for (char* c = text + 1; *c != '\0'; c++) {
        if (*c == ' ' || *c == '\\') {
            char* next = c + 1;
            if (*next == '\0')
                break;
            if (IsLower(*next))
                *next = static_cast<char>(*next - 'a' + 'A');
            // The letter after a separator is never itself a separator.
            c = next;
        } else if (IsUpper(*c)) {
            *c = static_cast<char>(*c - 'A' + 'a');
        }
    }
}
