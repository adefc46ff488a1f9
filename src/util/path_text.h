// Text rules of paths: joining two parts and capitalising the words of a path.
#pragma once
#include <cstddef>

enum { PathBufferSize = 260 };

// Joins first and second with one backslash between them (none added when first
// already ends in one), optionally in double quotes, ending in two zero bytes.
// A result that would not fit outSize bytes is refused: out holds an empty text
// (two zero bytes when there is room) and the result is false. An empty first part
// gets no separator: there is no character before the buffer to look at.
// out must not overlap first or second.
bool JoinPath(char* out, size_t outSize, const char* first, const char* second, bool quote);

// Capitalises, in place, the first letter and every ASCII letter that follows a space
// or backslash, and lowers every other upper-case ASCII letter ("C:\WINDOWS" -> "C:\Windows").
void TitleCaseWords(char* text);
