// Explode on arbitrary input: the fast path (whole reads) and the exact path
// (reads of the sizes the first byte picks, down to 1) must agree, and the
// writes must be 4096-byte blocks and one shorter final call, or none.
#include "explode.h"
#include "explode_harness.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    Bytes stream(data + 1, data + size);
    ExplodeRun fast = RunExplode(stream), exact = RunExplode(stream, 5 + data[0] % 16, 1 + data[0] / 16);
    bool blocks = !fast.writes.empty() && fast.writes.back() < 4096;
    for (std::size_t i = 0; i + 1 < fast.writes.size(); ++i)
        blocks = blocks && fast.writes[i] == 4096;
    bool decoded = fast.result == EXPLODE_OK || fast.result == EXPLODE_UNEXPECTED_END;
    if (fast.result != exact.result || fast.output != exact.output || fast.writes != exact.writes ||
        (decoded ? !blocks : !fast.writes.empty()))
        std::abort();
    return 0;
}
