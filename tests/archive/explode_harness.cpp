#include "explode_harness.h"

#include "explode.h"
#include "reference_explode.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

namespace {

struct Feed {
    const Bytes* stream;
    std::size_t pos;
    const std::vector<uint32_t>* chunks;
    std::size_t nextChunk;
    ExplodeRun* run;
};

uint32_t FeedRead(unsigned char* buffer, uint32_t* size, void* context)
{
    Feed* feed = (Feed*)context;
    if (*size != 2048)
        feed->run->badReadRequest = 1;
    std::size_t n = std::min<std::size_t>(*size, feed->stream->size() - feed->pos);
    if (!feed->chunks->empty()) {
        const std::vector<uint32_t>& chunks = *feed->chunks;
        n = std::min<std::size_t>(n, chunks[feed->nextChunk]);
        if (++feed->nextChunk == chunks.size())
            feed->nextChunk = chunks.size() > 1 ? 1 : 0;
    }
    if (n != 0)
        std::memcpy(buffer, feed->stream->data() + feed->pos, n);
    feed->pos += n;
    feed->run->consumed = feed->pos;
    feed->run->calls.push_back({'r', (uint32_t)n});
    return (uint32_t)n;
}

int FeedWrite(unsigned char* buffer, uint32_t* size, void* context)
{
    Feed* feed = (Feed*)context;
    feed->run->output.insert(feed->run->output.end(), buffer, buffer + *size);
    feed->run->calls.push_back({'w', *size});
    return 1;
}

ExplodeRun Run(bool reference, const Bytes& stream, const std::vector<uint32_t>& chunks)
{
    ExplodeRun run;
    run.badReadRequest = 0;
    run.consumed = 0;
    Feed feed = {&stream, 0, &chunks, 0, &run};
    if (reference) {
        run.result = ReferenceExplode(FeedRead, FeedWrite, &feed);
    } else {
        std::unique_ptr<ExplodeState> state(new ExplodeState);
        std::memset((void*)state.get(), 0xA5, sizeof(ExplodeState));
        run.result = Explode(FeedRead, FeedWrite, state.get(), &feed);
    }
    return run;
}

} // namespace

ExplodeRun RunExplode(const Bytes& stream, const std::vector<uint32_t>& chunks)
{
    return Run(false, stream, chunks);
}

ExplodeRun RunReference(const Bytes& stream, const std::vector<uint32_t>& chunks)
{
    return Run(true, stream, chunks);
}

std::vector<uint32_t> WriteSizes(const ExplodeRun& run)
{
    std::vector<uint32_t> sizes;
    for (const auto& call : run.calls)
        if (call.first == 'w')
            sizes.push_back(call.second);
    return sizes;
}

std::size_t ReadCount(const ExplodeRun& run)
{
    return (std::size_t)std::count_if(run.calls.begin(), run.calls.end(),
                                      [](const std::pair<char, uint32_t>& c) { return c.first == 'r'; });
}

Bytes RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes data(size);
    for (unsigned char& b : data)
        b = (unsigned char)random();
    return data;
}
