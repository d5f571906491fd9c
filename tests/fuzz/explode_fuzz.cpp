// Explode on arbitrary input: whole reads (the fast path) and the read sizes
// the first byte picks, down to 1 (the exact path), must agree.
#include "explode_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes stream(data + (size != 0), data + size);
    uint8_t pick = size != 0 ? data[0] : 0;
    ExplodeRun fast = RunExplode(stream), exact = RunExplode(stream, 5 + pick % 16, 1 + pick / 16);
    if (fast.result != exact.result || fast.output != exact.output || fast.writes != exact.writes)
        __builtin_trap();
    return 0;
}
