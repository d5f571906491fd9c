// Decoder benchmark: Explode against zlib's callback decoder inflateBack on
// the same data, with the same I/O shape (2048-byte reads from memory,
// 4096-byte writes into memory). Prints figures; it is not a test.
//
//   bench [--text FILE] [--binary FILE] [--rounds N]
//
// Without files, the text corpus is the C headers under /usr/include and the
// binary corpus the ELF files under /usr/bin, each cut at 8 MB; the random
// corpus is 4 MB from a fixed-seed generator. Explode streams use literal
// mode 1 and dictionary 6 (mode 0 for random data); zlib streams are raw
// deflate with a 4 KB window (windowBits 12) at level 9 (level 1 for random
// data, which with a 4 KB window makes a literals-only stream).
#include "encoder.h"
#include "explode.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::size_t CORPUS_LIMIT = 8u << 20;
const std::size_t RANDOM_SIZE = 4u << 20;

typedef std::vector<unsigned char> Bytes;

struct MemoryIo {
    const Bytes* input;
    std::size_t inputPos;
    Bytes* output;
    std::size_t outputPos;
};

uint32_t ExplodeRead(unsigned char* buffer, uint32_t* size, void* context)
{
    MemoryIo* io = (MemoryIo*)context;
    std::size_t n = std::min<std::size_t>(*size, io->input->size() - io->inputPos);
    std::memcpy(buffer, io->input->data() + io->inputPos, n);
    io->inputPos += n;
    return (uint32_t)n;
}

int ExplodeWrite(unsigned char* buffer, uint32_t* size, void* context)
{
    MemoryIo* io = (MemoryIo*)context;
    std::memcpy(io->output->data() + io->outputPos, buffer, *size);
    io->outputPos += *size;
    return 1;
}

unsigned InflateIn(void* context, z_const unsigned char** buffer)
{
    MemoryIo* io = (MemoryIo*)context;
    std::size_t n = std::min<std::size_t>(2048, io->input->size() - io->inputPos);
    *buffer = (unsigned char*)io->input->data() + io->inputPos;
    io->inputPos += n;
    return (unsigned)n;
}

int InflateOut(void* context, unsigned char* buffer, unsigned size)
{
    MemoryIo* io = (MemoryIo*)context;
    if (io->outputPos + size > io->output->size())
        return 1;
    std::memcpy(io->output->data() + io->outputPos, buffer, size);
    io->outputPos += size;
    return 0;
}

Bytes Deflate(const Bytes& data, int level)
{
    z_stream z = {};
    deflateInit2(&z, level, Z_DEFLATED, -12, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, data.size()) + 64);
    z.next_in = (unsigned char*)data.data();
    z.avail_in = (uInt)data.size();
    z.next_out = out.data();
    z.avail_out = (uInt)out.size();
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

double RunExplode(const Bytes& stream, Bytes* output, ExplodeState* state, int* ok)
{
    MemoryIo io = {&stream, 0, output, 0};
    auto start = std::chrono::steady_clock::now();
    int result = Explode(ExplodeRead, ExplodeWrite, state, &io);
    auto stop = std::chrono::steady_clock::now();
    *ok = result == EXPLODE_OK && io.outputPos == output->size();
    return std::chrono::duration<double>(stop - start).count();
}

double RunInflateBack(const Bytes& stream, Bytes* output, unsigned char* window, int* ok)
{
    MemoryIo io = {&stream, 0, output, 0};
    z_stream z = {};
    auto start = std::chrono::steady_clock::now();
    inflateBackInit(&z, 12, window);
    int result = inflateBack(&z, InflateIn, &io, InflateOut, &io);
    inflateBackEnd(&z);
    auto stop = std::chrono::steady_clock::now();
    *ok = result == Z_STREAM_END && io.outputPos == output->size();
    return std::chrono::duration<double>(stop - start).count();
}

void Measure(const char* label, const Bytes& data, int literalMode, int zlibLevel, int rounds)
{
    Bytes stream;
    EncodeStream(data.data(), data.size(), literalMode, 6, &stream);
    Bytes deflated = Deflate(data, zlibLevel);
    Bytes output(data.size());
    std::unique_ptr<ExplodeState> state(new ExplodeState);
    std::unique_ptr<unsigned char[]> window(new unsigned char[4096]);
    double bestExplode = 1e9, bestInflate = 1e9;
    int explodeOk = 1, inflateOk = 1;
    for (int round = 0; round < rounds; ++round) {
        int ok = 0;
        bestExplode = std::min(bestExplode, RunExplode(stream, &output, state.get(), &ok));
        explodeOk &= ok && output == data;
        bestInflate = std::min(bestInflate, RunInflateBack(deflated, &output, window.get(), &ok));
        inflateOk &= ok && output == data;
    }
    double mb = data.size() / 1e6;
    std::printf("%-8s %6.2f MB | explode %9zu bytes %7.1f MB/s%s | inflateBack %9zu bytes "
                "%7.1f MB/s%s | ratio %.2fx\n",
                label, mb, stream.size(), mb / bestExplode, explodeOk ? "" : " (WRONG OUTPUT)",
                deflated.size(), mb / bestInflate, inflateOk ? "" : " (WRONG OUTPUT)",
                bestInflate / bestExplode);
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Concatenates the files under root that `keep` accepts, in path order.
template <typename Keep>
Bytes Gather(const char* root, Keep keep)
{
    std::vector<std::string> paths;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (!error && it->is_regular_file(error) && !it->is_symlink(error))
            paths.push_back(it->path().string());
    }
    std::sort(paths.begin(), paths.end());
    Bytes corpus;
    for (const std::string& path : paths) {
        if (corpus.size() >= CORPUS_LIMIT)
            break;
        Bytes file = ReadFile(path);
        if (keep(path, file))
            corpus.insert(corpus.end(), file.begin(), file.end());
    }
    if (corpus.size() > CORPUS_LIMIT)
        corpus.resize(CORPUS_LIMIT);
    return corpus;
}

Bytes RandomBytes(std::size_t size)
{
    Bytes data(size);
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (unsigned char& b : data) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        b = (unsigned char)(x >> 24);
    }
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    std::string textPath, binaryPath;
    int rounds = 7;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--text"))
            textPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--binary"))
            binaryPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--rounds"))
            rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    Bytes text = !textPath.empty() ? ReadFile(textPath)
                                   : Gather("/usr/include", [](const std::string& p, const Bytes&) {
                                         return p.size() > 2 && p.compare(p.size() - 2, 2, ".h") == 0;
                                     });
    Bytes binary = !binaryPath.empty() ? ReadFile(binaryPath)
                                       : Gather("/usr/bin", [](const std::string&, const Bytes& f) {
                                             return f.size() > 4 && !std::memcmp(f.data(), "\x7f" "ELF", 4);
                                         });
    Bytes random = RandomBytes(RANDOM_SIZE);
    std::printf("best of %d rounds; MB/s of output; ratio = Explode speed / inflateBack speed\n",
                rounds);
    Measure("text", text, 1, 9, rounds);
    Measure("binary", binary, 1, 9, rounds);
    Measure("random", random, 0, 1, rounds);
    return 0;
}
