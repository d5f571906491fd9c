// Explode on arbitrary input, checked against the plain reference decoder:
// same result, output, read and write calls. The first byte picks the read
// sizes, the rest is the stream.
#include "explode.h"
#include "explode_harness.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    unsigned pick = data[0];
    Bytes stream(data + 1, data + size);
    std::vector<uint32_t> chunks;
    if (pick & 0x80) {
        // First read 1 to 16 bytes, then 1 to 8 or 1 to 2048 in turn.
        chunks.push_back(1 + (pick & 0x0F));
        for (unsigned i = 0; i < 4; ++i)
            chunks.push_back(pick & 0x40 ? 1 + ((pick >> i) & 7) : 1 + (pick * 37 + i * 501) % 2048);
    }
    ExplodeRun run = RunExplode(stream, chunks);
    ExplodeRun reference = RunReference(stream, chunks);
    Check(run.result == reference.result);
    Check(run.output == reference.output);
    Check(run.calls == reference.calls);
    Check(!run.badReadRequest);

    std::vector<uint32_t> writes = WriteSizes(run);
    Check(run.result >= EXPLODE_OK && run.result <= EXPLODE_UNEXPECTED_END);
    if (run.result == EXPLODE_OK || run.result == EXPLODE_UNEXPECTED_END) {
        Check(!writes.empty() && writes.back() < 4096);
        for (std::size_t i = 0; i + 1 < writes.size(); ++i)
            Check(writes[i] == 4096);
    } else {
        Check(writes.empty());
    }
    return 0;
}
