// Deterministic filler that pads a stand-in file to its table size and packs about as well as the real thing.
#pragma once

#include <stdint.h>

#include <vector>

// Appends an overlay to a PE image until it holds size bytes. The loader ignores bytes after the
// last section, so the program still runs; the overlay mixes instruction-like bytes, small integers
// and repeats of earlier runs, so it compresses about as far as machine code rather than to nothing.
void AppendProgramFiller(std::vector<unsigned char>& bytes, uint32_t size);

// Appends an HTML comment of made-up words, so that a page stays a page. False when fewer bytes are
// missing than the comment's markers take.
bool AppendHtmlFiller(std::vector<unsigned char>& bytes, uint32_t size);
