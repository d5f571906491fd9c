// Runs Explode or the reference decoder over an in-memory stream delivered in
// chunks of chosen sizes, and records every callback call.
#ifndef VELORIN_TESTS_ARCHIVE_EXPLODE_HARNESS_H
#define VELORIN_TESTS_ARCHIVE_EXPLODE_HARNESS_H

#include <cstdint>
#include <vector>

typedef std::vector<unsigned char> Bytes;

struct ExplodeRun {
    int result;
    Bytes output;
    // One entry per callback call, in order: 'r' with the count the read
    // returned, or 'w' with the size of the block written.
    std::vector<std::pair<char, uint32_t>> calls;
    int badReadRequest;  // a read asked for anything but 2048 bytes
    std::size_t consumed;  // stream bytes handed out by the reader
};

// chunks: the size the first read hands out, then the sizes of the later
// reads in turn, cycled (empty: always 2048; one size: that size always).
// A read gets min(chunk, requested, bytes left); at the end it returns 0.
// Explode's work area starts filled with garbage.
ExplodeRun RunExplode(const Bytes& stream, const std::vector<uint32_t>& chunks = {});
ExplodeRun RunReference(const Bytes& stream, const std::vector<uint32_t>& chunks = {});

// size bytes of seeded pseudo-random data.
Bytes RandomBytes(std::size_t size, unsigned seed);

// Sizes of the write calls of a run.
std::vector<uint32_t> WriteSizes(const ExplodeRun& run);
// Number of read calls of a run.
std::size_t ReadCount(const ExplodeRun& run);

#endif
