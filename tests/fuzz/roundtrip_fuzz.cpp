// Encoder and decoder on arbitrary data: the first byte picks the literal
// mode and dictionary size, the rest is the data, which must come back.
#include "encoder.h"
#include "explode.h"
#include "explode_harness.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    int literalMode = data[0] & 1;
    int dictionaryBits = 4 + (data[0] >> 1) % 3;
    Bytes input(data + 1, data + size);
    Bytes stream;
    if (EncodeStream(input.data(), input.size(), literalMode, dictionaryBits, &stream) != 1)
        std::abort();
    ExplodeRun run = RunExplode(stream, data[0] & 0x80 ? std::vector<uint32_t>{5, 3, 1} : std::vector<uint32_t>{});
    if (run.result != EXPLODE_OK || run.output != input)
        std::abort();
    return 0;
}
