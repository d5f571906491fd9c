// Runs Explode over an in-memory stream handed out in reads of chosen sizes.
#ifndef VELORIN_TESTS_ARCHIVE_EXPLODE_HARNESS_H
#define VELORIN_TESTS_ARCHIVE_EXPLODE_HARNESS_H

#include "explode.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

typedef std::vector<unsigned char> Bytes;

struct ExplodeRun {
    int result;
    Bytes output;
    std::vector<uint32_t> writes;  // size of each write call, in order
    std::size_t consumed;          // stream bytes handed out
    const Bytes* stream;
    uint32_t first, later, claimed;
};

// The first read hands out up to `first` bytes, each later one up to `later`
// (reads of 1 byte keep the decoder on its exact path). A read that placed
// bytes reports `claimed` instead when that is not 0. The work area starts
// full of garbage.
inline ExplodeRun RunExplode(const Bytes& stream, uint32_t first = 2048, uint32_t later = 2048,
                             uint32_t claimed = 0)
{
    ExplodeRun run = {-1, {}, {}, 0, &stream, first, later, claimed};
    auto read = [](unsigned char* buffer, uint32_t* size, void* context) -> uint32_t {
        ExplodeRun* run = (ExplodeRun*)context;
        std::size_t n = std::min<std::size_t>({*size, run->stream->size() - run->consumed,
                                               run->consumed == 0 ? run->first : run->later});
        if (n != 0)
            std::memcpy(buffer, run->stream->data() + run->consumed, n);
        run->consumed += n;
        return n != 0 && run->claimed != 0 ? run->claimed : (uint32_t)n;
    };
    auto write = [](unsigned char* buffer, uint32_t* size, void* context) -> int {
        ExplodeRun* run = (ExplodeRun*)context;
        run->output.insert(run->output.end(), buffer, buffer + *size);
        run->writes.push_back(*size);
        return 1;
    };
    std::unique_ptr<ExplodeState> state(new ExplodeState);
    std::memset((void*)state.get(), 0xA5, sizeof(ExplodeState));
    run.result = Explode(read, write, state.get(), &run);
    return run;
}

inline Bytes RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes data(size);
    for (unsigned char& b : data)
        b = (unsigned char)random();
    return data;
}

#endif
