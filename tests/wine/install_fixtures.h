// Fixtures of the installations under Wine: explode streams, component archives assembled byte
// by byte, file times, and the layout of a distribution medium. Last, what only the in-process
// tests have: the state the front end leaves, and the engine's allocation hook.
#ifndef VELORIN_TESTS_WINE_INSTALL_FIXTURES_H
#define VELORIN_TESTS_WINE_INSTALL_FIXTURES_H

#include <stdint.h>
#include <string>
#include <vector>

// Plain literals, then the end code unless withEnd is false; 5 bytes at least.
std::string LiteralStream(const std::string& data, bool withEnd = true);
// A stream made by our encoder: real matches, either literal mode.
std::string EncodedStream(const std::string& data, int literalMode, int dictionaryBits);

struct Member {
    std::string name, stream;
    uint64_t lastWriteTime;
};
// Count, 29-byte entries (up to 13 bytes of a name as they are), then the streams.
std::string BuildArchive(const std::vector<Member>& members);

std::string NoiseBytes(size_t size, unsigned seed);  // deterministic, poorly compressible
std::string GetFile(const std::string& path);        // "<missing>" when there is no such file
uint64_t LastWriteTime(const std::string& path);     // 0 when unreadable

struct MediumFile {
    std::string name, data;
    int disk; /* 1 or 2 */
};
// The last-write time WriteMedium gives, 1 January 2000: no new file has it.
const uint64_t OLD_TIME = 125911584000000000ull;
// A full medium in installation order (bookmark.htm and www.z only
// withOptional); corvex.z is built from the given members.
std::vector<MediumFile> StandardMedium(bool withOptional, const std::vector<Member>& corvex);
// Resizes javaclss.z so that the copied files and the members' streams make total.
void FitToTotal(std::vector<MediumFile>* files, const std::vector<Member>& corvex, uint32_t total);
// Puts the files of one disk (0: all) into dir (ending in '\') with an old time.
bool WriteMedium(const std::string& dir, const std::vector<MediumFile>& files, int disk);

// A retry prompt with its text, as BoxLine reads it.
std::string Prompt(const std::string& text);
// Clears setupState and fills in what the front end would: 15,000 bytes a
// percent (the shipped total), the directories, a page with a status control.
// Group commands go to the service TEST_PROGMAN_SERVICE, served by a test or by none.
void PrepareSetupState(const std::string& sourceDir, const std::string& installDir);
int TakeProgressPosts();  // removes and counts the page's WM_SETUP_PROGRESS
// From now on an engine allocation of exactly size bytes fails (ALLOC_FAIL),
// or sets cancelRequested and succeeds (ALLOC_CANCEL); size 0: none.
enum { ALLOC_FAIL, ALLOC_CANCEL };
void OnAllocation(uint32_t size, int action);

#define TEST_PROGMAN_SERVICE "VelorinTestPM"

#endif
