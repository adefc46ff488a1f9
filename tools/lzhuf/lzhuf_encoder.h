// LZHUF encoder for the build: turns a payload file into the header-less stream that setup.exe decodes.
#pragma once

#include <stdint.h>
#include <vector>

enum LzhufParse {
    LzhufParseGreedy,   // longest match at every position: the yardstick for the cost-weighted parse
    LzhufParseOptimal,  // shortest path under the adaptive code lengths of the moment
};

// Encodes size bytes; the last symbol ends exactly at size, so the decoder needs nothing but size.
std::vector<unsigned char> EncodeLzhuf(const unsigned char* data, uint32_t size, LzhufParse parse = LzhufParseOptimal);
