// Shared parts of ztool: exit statuses, the error line, and the commands.
#ifndef VELORIN_TOOLS_ZTOOL_ZTOOL_H
#define VELORIN_TOOLS_ZTOOL_ZTOOL_H

#include <string>
#include <vector>

// 0 to 4 are Explode's result codes (for `explode`); failures of the tool
// itself are 64 and up, so the two never mix.
enum {
    ZTOOL_OK = 0,
    ZTOOL_USAGE = 64,        // bad command line
    ZTOOL_DAMAGED = 65,      // damaged archive or stream, unsafe or non-8.3 name
    ZTOOL_NO_INPUT = 66,     // an input file cannot be opened or read, or a required one is missing
    ZTOOL_DISK_FULL = 67,    // a floppy of the medium would overflow
    ZTOOL_NO_TOOL = 69,      // mkfs.fat, mcopy or xorriso is missing or failed
    ZTOOL_NO_OUTPUT = 73,    // an output file cannot be created
    ZTOOL_WRITE_FAILED = 74  // writing an output file, or setting its time, failed
};

struct EncodeOptions {
    int literalMode;
    int dictionaryBits;
};

// Prints "ztool: FILE: WHAT" on stderr and returns status.
int Fail(int status, const std::string& file, const std::string& what);

// Reads a whole file; 0 with *error set when it cannot be opened or read.
int ReadWholeFile(const std::string& path, std::vector<unsigned char>* data, std::string* error);
struct SetupIni;
// Reads and parses setup.ini: ZTOOL_OK, or the failure printed (unreadable:
// ZTOOL_NO_INPUT; no section "Velorin", which setup would ignore: ZTOOL_DAMAGED).
int LoadSetupIni(const std::string& path, SetupIni* ini);
// Creates or truncates a file and writes data; 0 with *status and *error set.
int WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data, int* status,
                   std::string* error);

int CommandExplode(const std::string& in, const std::string& out);
int CommandCompress(const EncodeOptions& options, const std::string& in, const std::string& out);
int CommandPack(const EncodeOptions& options, const std::string& archive,
                const std::vector<std::string>& files);
int CommandList(const std::string& archive);
int CommandExtract(const std::string& archive, const std::string& directory);
// Lays out OUT/cd (and OUT/velorin.iso, OUT/disk1, OUT/disk2 with their
// images) from a content folder; refuses, before writing, what would not
// install as the provider meant.
int CommandMedia(const std::string& content, const std::string& out, int floppy, int iso,
                 int allowCut);
// Checks a CD folder, a folder holding disk1/ and disk2/, a CD image or two
// floppy images; ZTOOL_OK only for a medium that installs.
int CommandCheck(const std::vector<std::string>& media);

#endif
