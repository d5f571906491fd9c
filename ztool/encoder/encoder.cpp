// Cost-optimal parse: with fixed codes every item has a known price in bits,
// so the cheapest sequence of literals and matches is a shortest path over
// the input positions. Each position offers a literal and, for every length,
// the nearest match of that length (a nearer match never costs more). After
// a match of NICE_LENGTH or more the positions it covers are not tried as
// starting points, which bounds the work on long repeats.
#include "encoder.h"

#include "match_finder.h"
#include "stream_writer.h"

#include <cstdint>

namespace {

enum {
    NICE_LENGTH = 128,
    MAX_CHAIN = 128,
    PAIR_MAX_DISTANCE = 256,
    MIN_STREAM_SIZE = 5  // Explode rejects a first read of 4 bytes or fewer
};

struct Step {
    uint32_t length;  // 1: a literal
    uint32_t distance;
};

struct Costs {
    uint32_t length[LONGEST_MATCH + 1];
    std::vector<uint32_t> pairDistance;  // length-2 matches
    std::vector<uint32_t> distance;      // all longer ones
};

void BuildCosts(int dictionaryBits, uint32_t maxDistance, Costs* costs)
{
    for (uint32_t length = SHORTEST_MATCH; length <= LONGEST_MATCH; ++length)
        costs->length[length] = StreamLengthCost(length);
    costs->pairDistance.assign(PAIR_MAX_DISTANCE + 1, 0);
    for (uint32_t d = 1; d <= PAIR_MAX_DISTANCE; ++d)
        costs->pairDistance[d] = StreamDistanceCost(dictionaryBits, 2, d);
    costs->distance.assign(maxDistance + 1, 0);
    for (uint32_t d = 1; d <= maxDistance; ++d)
        costs->distance[d] = StreamDistanceCost(dictionaryBits, 3, d);
}

std::vector<Step> Parse(const unsigned char* data, std::size_t size, int literalMode,
                        int dictionaryBits)
{
    const uint32_t maxDistance = 64u << dictionaryBits;
    Costs costs;
    BuildCosts(dictionaryBits, maxDistance, &costs);
    MatchFinder finder;
    MatchFinderInit(&finder, data, size, maxDistance, MAX_CHAIN);

    const uint32_t unreached = UINT32_MAX;
    std::vector<uint32_t> cost(size + 1, unreached);
    std::vector<Step> from(size + 1, Step{0, 0});
    cost[0] = 0;
    MatchCandidate candidates[MATCH_CANDIDATES_MAX];
    std::size_t skipUntil = 0;
    for (std::size_t pos = 0; pos < size; ++pos) {
        if (pos < skipUntil) {
            MatchFinderSkip(&finder, pos);
            continue;
        }
        const uint32_t here = cost[pos];
        uint32_t price = here + StreamLiteralCost(literalMode, data[pos]);
        if (price < cost[pos + 1]) {
            cost[pos + 1] = price;
            from[pos + 1] = Step{1, 0};
        }
        std::size_t count = MatchFinderFind(&finder, pos, candidates);
        uint32_t covered = 1;
        for (std::size_t c = 0; c < count; ++c) {
            const MatchCandidate& m = candidates[c];
            for (uint32_t length = covered + 1; length <= m.length; ++length) {
                if (length == 2) {
                    if (m.distance > PAIR_MAX_DISTANCE)
                        continue;
                    price = here + costs.length[2] + costs.pairDistance[m.distance];
                } else {
                    price = here + costs.length[length] + costs.distance[m.distance];
                }
                if (price < cost[pos + length]) {
                    cost[pos + length] = price;
                    from[pos + length] = Step{length, m.distance};
                }
            }
            covered = m.length;
        }
        if (count > 0 && candidates[count - 1].length >= NICE_LENGTH)
            skipUntil = pos + candidates[count - 1].length;
    }

    std::vector<Step> steps;
    for (std::size_t pos = size; pos > 0; pos -= from[pos].length)
        steps.push_back(from[pos]);
    return std::vector<Step>(steps.rbegin(), steps.rend());
}

} // namespace

int EncodeStream(const unsigned char* data, std::size_t size, int literalMode,
                 int dictionaryBits, std::vector<unsigned char>* out)
{
    if ((literalMode != 0 && literalMode != 1) || dictionaryBits < 4 || dictionaryBits > 6)
        return 0;
    std::size_t start = out->size();
    StreamWriter writer;
    StreamWriterBegin(&writer, out, literalMode, dictionaryBits);
    std::size_t pos = 0;
    for (const Step& step : Parse(data, size, literalMode, dictionaryBits)) {
        if (step.length == 1)
            StreamWriteLiteral(&writer, data[pos]);
        else
            StreamWriteMatch(&writer, step.length, step.distance);
        pos += step.length;
    }
    StreamWriterEnd(&writer);
    while (out->size() - start < MIN_STREAM_SIZE)
        out->push_back(0);
    return 1;
}
