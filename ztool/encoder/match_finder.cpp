#include "match_finder.h"

namespace {

enum { HASH_BITS = 16 };

uint32_t Hash3(const unsigned char* p)
{
    uint32_t v = (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16;
    return (v * 2654435761u) >> (32 - HASH_BITS);
}

uint32_t Pair(const unsigned char* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8;
}

uint32_t MatchLength(const unsigned char* a, const unsigned char* b, uint32_t limit)
{
    uint32_t n = 0;
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

void Insert(MatchFinder* finder, std::size_t pos)
{
    const unsigned char* p = finder->data + pos;
    if (pos + 2 <= finder->size)
        finder->lastPair[Pair(p)] = (int32_t)pos;
    if (pos + 3 <= finder->size) {
        uint32_t h = Hash3(p);
        finder->previous[pos] = finder->head[h];
        finder->head[h] = (int32_t)pos;
    }
}

} // namespace

void MatchFinderInit(MatchFinder* finder, const unsigned char* data, std::size_t size,
                     uint32_t maxDistance, uint32_t maxChain)
{
    finder->data = data;
    finder->size = size;
    finder->maxDistance = maxDistance;
    finder->maxChain = maxChain;
    finder->head.assign(std::size_t(1) << HASH_BITS, -1);
    finder->previous.assign(size, -1);
    finder->lastPair.assign(65536, -1);
}

std::size_t MatchFinderFind(MatchFinder* finder, std::size_t pos, MatchCandidate* out)
{
    const unsigned char* here = finder->data + pos;
    std::size_t left = finder->size - pos;
    uint32_t limit = left < LONGEST_MATCH ? (uint32_t)left : (uint32_t)LONGEST_MATCH;
    std::size_t count = 0;
    uint32_t best = 1;
    if (limit >= 2) {
        int32_t at = finder->lastPair[Pair(here)];
        if (at >= 0 && pos - (std::size_t)at <= finder->maxDistance) {
            uint32_t distance = (uint32_t)(pos - (std::size_t)at);
            best = MatchLength(finder->data + at, here, limit);
            out[count++] = MatchCandidate{best, distance};
        }
    }
    if (limit >= 3 && best < limit) {
        int32_t at = finder->head[Hash3(here)];
        for (uint32_t chain = 0; at >= 0 && chain < finder->maxChain; ++chain) {
            std::size_t distance = pos - (std::size_t)at;
            if (distance > finder->maxDistance)
                break;
            const unsigned char* there = finder->data + at;
            if (there[best] == here[best]) {
                uint32_t length = MatchLength(there, here, limit);
                if (length > best) {
                    best = length;
                    out[count++] = MatchCandidate{length, (uint32_t)distance};
                    if (best == limit)
                        break;
                }
            }
            at = finder->previous[at];
        }
    }
    Insert(finder, pos);
    return count;
}

void MatchFinderSkip(MatchFinder* finder, std::size_t pos)
{
    Insert(finder, pos);
}
