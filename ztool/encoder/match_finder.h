// Finds earlier occurrences of the bytes at a position: hash chains over
// 3-byte prefixes for matches of 3 or more, and the latest occurrence of each
// byte pair for length 2.
#ifndef VELORIN_TOOLS_ENCODER_MATCH_FINDER_H
#define VELORIN_TOOLS_ENCODER_MATCH_FINDER_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "explode_tables.h"

enum { MATCH_CANDIDATES_MAX = 520 };

struct MatchCandidate {
    uint32_t length;
    uint32_t distance;
};

struct MatchFinder {
    const unsigned char* data;
    std::size_t size;
    uint32_t maxDistance;
    uint32_t maxChain;              // chain links followed per position
    std::vector<int32_t> head;      // latest position of each 3-byte hash
    std::vector<int32_t> previous;  // earlier position with the same hash
    std::vector<int32_t> lastPair;  // latest position of each byte pair
};

void MatchFinderInit(MatchFinder* finder, const unsigned char* data, std::size_t size,
                     uint32_t maxDistance, uint32_t maxChain);

// Positions must be visited in order, each once, by Find or Skip. Find puts
// into out (room for MATCH_CANDIDATES_MAX) matches of increasing length and
// increasing distance, each longer than the one before, and returns how many.
// Only the first can be the nearest byte pair; every length up to a
// candidate's is available at its distance.
std::size_t MatchFinderFind(MatchFinder* finder, std::size_t pos, MatchCandidate* out);
void MatchFinderSkip(MatchFinder* finder, std::size_t pos);

#endif
