#include "media.h"

#include <windows.h>

#include "encoder.h"
#include "harness.h"

namespace {

struct BitWriter {
    std::string bytes;
    uint32_t pending = 0;
    int count = 0;
    void Put(uint32_t value, int bits)
    {
        for (int i = 0; i < bits; ++i) {
            pending |= ((value >> i) & 1u) << count;
            if (++count == 8) {
                bytes += (char)pending;
                pending = 0;
                count = 0;
            }
        }
    }
    std::string Finish()
    {
        if (count)
            bytes += (char)pending;
        return bytes;
    }
};

std::string Literals(const std::string& data, bool withEnd)
{
    BitWriter w;
    w.bytes = std::string("\x00\x04", 2);  // plain literals, 1024-byte dictionary
    for (unsigned char c : data) {
        w.Put(0, 1);
        w.Put(c, 8);
    }
    if (withEnd) {
        w.Put(1, 1);    // match or end
        w.Put(0, 7);    // length code 15 is seven zero bits
        w.Put(255, 8);  // extra bits 255: the end code
    }
    std::string s = w.Finish();
    while (s.size() < 5)
        s += '\0';
    return s;
}

}  // namespace

std::string LiteralStream(const std::string& data) { return Literals(data, true); }
std::string LiteralStreamWithoutEnd(const std::string& data) { return Literals(data, false); }

std::string EncodedStream(const std::string& data, int literalMode, int dictionaryBits)
{
    std::vector<unsigned char> out;
    EncodeStream((const unsigned char*)data.data(), data.size(), literalMode, dictionaryBits, &out);
    return std::string(out.begin(), out.end());
}

std::string Le32(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = (char)(v >> (8 * i));
    return s;
}

std::string ArchiveEntryBytes(const std::string& name, uint64_t time, uint32_t dataOffset,
                              uint32_t endOffset)
{
    std::string field(13, '\0');
    field.replace(0, name.size() < 13 ? name.size() : 13, name.substr(0, 13));
    return field + Le32((uint32_t)time) + Le32((uint32_t)(time >> 32)) + Le32(dataOffset) +
           Le32(endOffset);
}

std::string BuildArchive(const std::vector<Member>& members)
{
    std::string directory = Le32((uint32_t)members.size());
    std::string data;
    uint32_t offset = 4 + 29 * (uint32_t)members.size();
    for (const Member& m : members) {
        directory += ArchiveEntryBytes(m.name, m.lastWriteTime, offset,
                                       offset + (uint32_t)m.stream.size());
        offset += (uint32_t)m.stream.size();
        data += m.stream;
    }
    return directory + data;
}

std::string Bytes(size_t size, unsigned seed)
{
    std::string s(size, '\0');
    uint32_t x = seed * 2654435761u + 12345u;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = (char)(x >> 23);
    }
    return s;
}

bool PutFile(const std::string& path, const std::string& data)
{
    return WriteFileBytes(path, data);
}

// "<missing>" keeps an absent file apart from an empty one in comparisons.
std::string GetFile(const std::string& path)
{
    return PathExists(path) ? ReadFileBytes(path) : "<missing>";
}

bool Exists(const std::string& path)
{
    return PathExists(path);
}

uint64_t LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool SetLastWriteTime(const std::string& path, uint64_t time)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)time;
    ft.dwHighDateTime = (DWORD)(time >> 32);
    BOOL ok = SetFileTime(h, NULL, NULL, &ft);
    CloseHandle(h);
    return ok != 0;
}

HANDLE HoldOpen(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       NULL);
}

std::vector<MediumFile> StandardMedium(bool withOptional, const std::vector<Member>& corvex)
{
    // Sizes cover the chunk edges: exact chunks, one byte over, an empty file.
    std::vector<MediumFile> files = {
        { "nsystem.z", Bytes(96000, 1), 1 },   { "netscape.z", Bytes(100001, 2), 1 },
        { "wsystem.z", Bytes(32000, 3), 1 },   { "plugins.z", Bytes(32001, 4), 1 },
        { "javaclss.z", Bytes(250000, 5), 1 }, { "javabin.z", Bytes(0, 6), 1 },
        { "readme.txt", "Velorin\r\n", 1 },
    };
    if (withOptional)
        files.push_back({ "bookmark.htm", "<html></html>", 1 });
    files.push_back({ "nprogram.z", Bytes(70000, 7), 2 });
    files.push_back({ "corvex.z", BuildArchive(corvex), 2 });
    if (withOptional)
        files.push_back({ "www.z", Bytes(5000, 8), 2 });
    return files;
}

bool WriteMedium(const std::string& dir, const std::vector<MediumFile>& files, int disk)
{
    for (const MediumFile& f : files) {
        if (disk && f.disk != disk)
            continue;
        if (!PutFile(dir + f.name, f.data))
            return false;
        // A fixed, old time, so that a copy that keeps it is told apart from
        // a fresh file.
        if (!SetLastWriteTime(dir + f.name, 125911584000000000ull + f.data.size()))
            return false;
    }
    return true;
}

uint32_t CountedBytes(const std::vector<MediumFile>& files, const std::vector<Member>& corvex)
{
    uint32_t sum = 0;
    for (const MediumFile& f : files)
        if (f.name != "corvex.z")
            sum += (uint32_t)f.data.size();
    for (const Member& m : corvex)
        sum += (uint32_t)m.stream.size();
    return sum;
}

void FitToTotal(std::vector<MediumFile>* files, const std::vector<Member>& corvex, uint32_t total)
{
    uint32_t counted = CountedBytes(*files, corvex);
    for (MediumFile& f : *files)
        if (f.name == "javaclss.z")
            f.data = Bytes(f.data.size() + total - counted, 5);
}
