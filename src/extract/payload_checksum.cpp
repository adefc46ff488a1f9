// CRC-32 of payload bytes: the packaging step records one per file table row, the file pass checks it.
#include "extract/payload_checksum.h"

// Four bits a step: a 16-entry table keeps setup.exe's stub small and still checks half a
// megabyte in a few milliseconds.
static const uint32_t nibbleTable[16] = {
    0x00000000, 0x1DB71064, 0x3B6E20C8, 0x26D930AC, 0x76DC4190, 0x6B6B51F4, 0x4DB26158, 0x5005713C,
    0xEDB88320, 0xF00F9344, 0xD6D6A3E8, 0xCB61B38C, 0x9B64C2B0, 0x86D3D2D4, 0xA00AE278, 0xBDBDF21C,
};

uint32_t PayloadChecksum(uint32_t checksum, const unsigned char* bytes, uint32_t count)
{
    uint32_t crc = ~checksum;
    for (uint32_t i = 0; i < count; i++) {
        crc ^= bytes[i];
        crc = (crc >> 4) ^ nibbleTable[crc & 15];
        crc = (crc >> 4) ^ nibbleTable[crc & 15];
    }
    return ~crc;
}
