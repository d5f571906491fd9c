// `explode` and `compress`: one stream from file to file.
#include "ztool.h"

#include "encoder.h"
#include "explode.h"

#include <cstdio>
#include <memory>

namespace {

struct StreamFiles {
    std::FILE* in;
    std::FILE* out;
    int readFailed;
    int writeFailed;
};

uint32_t ReadFromFile(unsigned char* buffer, uint32_t* size, void* context)
{
    StreamFiles* files = (StreamFiles*)context;
    std::size_t n = std::fread(buffer, 1, *size, files->in);
    if (n < *size && std::ferror(files->in))
        files->readFailed = 1;
    return (uint32_t)n;
}

int WriteToFile(unsigned char* buffer, uint32_t* size, void* context)
{
    StreamFiles* files = (StreamFiles*)context;
    if (*size != 0 && std::fwrite(buffer, 1, *size, files->out) != *size)
        files->writeFailed = 1;
    return !files->writeFailed;
}

} // namespace

int CommandExplode(const std::string& in, const std::string& out)
{
    StreamFiles files = {nullptr, nullptr, 0, 0};
    files.in = std::fopen(in.c_str(), "rb");
    if (!files.in)
        return Fail(ZTOOL_NO_INPUT, in, "cannot open it for reading");
    files.out = std::fopen(out.c_str(), "wb");
    if (!files.out) {
        std::fclose(files.in);
        return Fail(ZTOOL_NO_OUTPUT, out, "cannot create it");
    }
    std::unique_ptr<ExplodeState> state(new ExplodeState);
    int result = Explode(ReadFromFile, WriteToFile, state.get(), &files);
    std::fclose(files.in);
    if (std::fclose(files.out) != 0)
        files.writeFailed = 1;
    if (files.readFailed)
        return Fail(ZTOOL_NO_INPUT, in, "read error");
    if (files.writeFailed)
        return Fail(ZTOOL_WRITE_FAILED, out, "write error");
    return result;
}

int CommandCompress(const EncodeOptions& options, const std::string& in, const std::string& out)
{
    std::vector<unsigned char> data;
    std::string error;
    if (!ReadWholeFile(in, &data, &error))
        return Fail(ZTOOL_NO_INPUT, in, error);
    std::vector<unsigned char> stream;
    EncodeStream(data.data(), data.size(), options.literalMode, options.dictionaryBits, &stream);
    int status = ZTOOL_OK;
    if (!WriteWholeFile(out, stream, &status, &error))
        return Fail(status, out, error);
    return ZTOOL_OK;
}
