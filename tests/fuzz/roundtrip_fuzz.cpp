// Encoder and decoder on arbitrary data: the first byte picks the literal
// mode, the dictionary size and the read sizes; the rest must come back.
#include "encoder.h"
#include "explode.h"
#include "explode_harness.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    Bytes input(data + 1, data + size), stream;
    if (EncodeStream(input.data(), input.size(), data[0] & 1, 4 + (data[0] >> 1) % 3, &stream) != 1)
        std::abort();
    ExplodeRun run = RunExplode(stream, data[0] & 0x80 ? 5 : 2048, data[0] & 0x80 ? 1 + data[0] % 9 : 2048);
    if (run.result != EXPLODE_OK || run.output != input)
        std::abort();
    return 0;
}
