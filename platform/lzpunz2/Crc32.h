#pragma once

#include <cstddef>

// The CRC-32 of zip and PNG, as zlib's crc32() gives it: `crc` is the value of the bytes before (0 at
// the start), and the answer that of the bytes before and `data` together. Both the decompression
// library's trailer check and the installer's check of each file it writes take it of every byte
// installed, so on a processor that multiplies without carries (every x86 of the last fifteen years)
// it folds 64 bytes a step instead of looking up a table for each byte.
unsigned long Crc32(unsigned long crc, const void* data, std::size_t length);
