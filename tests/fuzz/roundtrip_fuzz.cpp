// Encoder and decoder on arbitrary data: the first byte picks the literal
// mode, the dictionary size and the read sizes; the rest must come back.
#include "encoder.h"
#include "explode_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes input(data + (size != 0), data + size), stream;
    uint8_t pick = size != 0 ? data[0] : 0;
    EncodeStream(input.data(), input.size(), pick & 1, 4 + (pick >> 1) % 3, &stream);
    ExplodeRun run = RunExplode(stream, pick & 0x80 ? 5 : 2048, pick & 0x80 ? 1 + pick % 9 : 2048);
    if (run.result != EXPLODE_OK || run.output != input) __builtin_trap();
    return 0;
}
