// Test media for the engine: explode streams written bit by bit, component
// archives assembled byte by byte (so that damaged ones can be made too),
// file times, and the layout of a distribution medium.
#ifndef VELORIN_TESTS_ENGINE_MEDIA_H
#define VELORIN_TESTS_ENGINE_MEDIA_H

#include <stdint.h>
#include <string>
#include <vector>

#include <windows.h>

// A stream in which every byte is a plain literal, closed by the end code;
// padded after the end code so that even an empty one is 5 bytes or more.
std::string LiteralStream(const std::string& data);
// The same literals without the end code: the stream just stops.
std::string LiteralStreamWithoutEnd(const std::string& data);

// A stream made by our encoder: real matches, either literal mode.
std::string EncodedStream(const std::string& data, int literalMode, int dictionaryBits);

struct Member {
    std::string name;   // up to 13 bytes go into the name field as they are
    std::string stream; // placed after the directory, members in order
    uint64_t lastWriteTime;
};
// A 29-byte directory entry.
std::string ArchiveEntryBytes(const std::string& name, uint64_t lastWriteTime,
                              uint32_t dataOffset, uint32_t endOffset);
std::string Le32(uint32_t value);
// A whole archive: count, entries, then the streams one after the other.
std::string BuildArchive(const std::vector<Member>& members);

// Deterministic, poorly compressible content.
std::string Bytes(size_t size, unsigned seed);
bool PutFile(const std::string& path, const std::string& data);
std::string GetFile(const std::string& path);
bool Exists(const std::string& path);
uint64_t LastWriteTime(const std::string& path);  // 0 when unreadable
bool SetLastWriteTime(const std::string& path, uint64_t time);
// Creates path (if need be) and keeps it open without sharing, so that no one
// else can open it: a file in use. Tests run as root, where a read-only
// attribute does not stop a writer, so this is how a target is made unwritable.
HANDLE HoldOpen(const std::string& path);

// A medium file and the half of the list it belongs to.
struct MediumFile {
    std::string name;
    std::string data;
    int disk;  // 1 or 2
};
// The eleven files of a full medium with the given sizes of the copied files
// (the archive is built from members). Members of corvex.z are given apart.
std::vector<MediumFile> StandardMedium(bool withOptional, const std::vector<Member>& corvex);
// Makes the copied files add up, with the members' streams, to total counted
// bytes, by resizing javaclss.z.
void FitToTotal(std::vector<MediumFile>* files, const std::vector<Member>& corvex, uint32_t total);
// Puts the files of the given disk (0: all) into dir, which ends in '\'.
bool WriteMedium(const std::string& dir, const std::vector<MediumFile>& files, int disk);
// Sum of the bytes that the installation counts: copied files whole, the
// streams of corvex.z's members.
uint32_t CountedBytes(const std::vector<MediumFile>& files, const std::vector<Member>& corvex);

#endif
