// Runs Explode on a garbage-filled work area over a stream handed out in reads
// of up to `first` bytes, then `later` (1-byte reads keep the decoder on its
// exact path). A read that placed bytes reports `claimed` instead, if not 0.
#ifndef VELORIN_TESTS_ARCHIVE_EXPLODE_HARNESS_H
#define VELORIN_TESTS_ARCHIVE_EXPLODE_HARNESS_H

#include "explode.h"

#include <algorithm>
#include <cstring>
#include <vector>

typedef std::vector<unsigned char> Bytes;

struct ExplodeRun {
    const Bytes* stream;
    uint32_t first, later, claimed;
    int result;
    Bytes output;
    std::vector<uint32_t> writes;  // size of each write call, in order
    std::size_t consumed;          // stream bytes handed out
};

inline ExplodeRun RunExplode(
    const Bytes& stream, uint32_t first = 2048, uint32_t later = 2048, uint32_t claimed = 0) {
    ExplodeRun run = { &stream, first, later, claimed, -1, {}, {}, 0 };
    std::vector<ExplodeState> state(1);  // on the heap, where ASan sees overruns
    std::memset((void*)state.data(), 0xA5, sizeof(ExplodeState));
    run.result = Explode(
        [](unsigned char* buffer, uint32_t* size, void* context) -> uint32_t {
            ExplodeRun* r = (ExplodeRun*)context;
            std::size_t n = std::min<std::size_t>(
                { *size, r->stream->size() - r->consumed, r->consumed != 0 ? r->later : r->first });
            std::copy_n(r->stream->begin() + r->consumed, n, buffer);
            r->consumed += n;
            return n != 0 && r->claimed != 0 ? r->claimed : (uint32_t)n;
        },
        [](unsigned char* buffer, uint32_t* size, void* context) -> int {
            ExplodeRun* r = (ExplodeRun*)context;
            r->output.insert(r->output.end(), buffer, buffer + *size);
            r->writes.push_back(*size);
            return 1;
        },
        state.data(), &run);
    return run;
}

#endif
