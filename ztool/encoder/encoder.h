// Encoder for the explode stream format, the inverse of Explode: LZ77 over a
// window of 64 << dictionaryBits bytes with hash chains and a cost-optimal
// parse under the format's fixed codes. Tooling only; not part of setup.exe.
#ifndef VELORIN_TOOLS_ENCODER_ENCODER_H
#define VELORIN_TOOLS_ENCODER_ENCODER_H

#include <cstddef>
#include <vector>

// Appends to *out one complete stream (header, items, end-of-stream code)
// that Explode expands to the `size` bytes at data. literalMode is 0 (plain
// bytes) or 1 (literal code); dictionaryBits is 4, 5 or 6. A stream that
// would be 4 bytes or fewer gets a padding byte after its end-of-stream code,
// because Explode refuses a first read that short. Returns 1, or 0 with
// nothing appended when a mode is out of range.
int EncodeStream(const unsigned char* data, std::size_t size, int literalMode,
                 int dictionaryBits, std::vector<unsigned char>* out);

#endif
