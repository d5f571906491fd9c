// What a distribution medium holds, and on which floppy each file lies so
// that the setup program finds it: the first half of the list is read from
// disk 1, everything after the disk-change notice from disk 2. setup.ini is
// read only after the last file has been placed, so it belongs on disk 2.
#ifndef VELORIN_TOOLS_ZTOOL_MEDIUM_LAYOUT_H
#define VELORIN_TOOLS_ZTOOL_MEDIUM_LAYOUT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct MediumFile {
    const char* name;  // lower case, as written to the medium
    int disk;          // 1 or 2 on a floppy pair
    int required;      // 0: the setup program skips it when absent
};

// In the order the setup program reads them; setup.exe first.
extern const MediumFile MEDIUM_FILES[];
extern const int MEDIUM_FILE_COUNT;

// A 1.44 MB FAT12 floppy: 2847 data clusters of 512 bytes.
const uint64_t FLOPPY_CLUSTER_BYTES = 512;
const uint64_t FLOPPY_CAPACITY = 2847 * FLOPPY_CLUSTER_BYTES;

// Bytes of the floppy's data area that files of these sizes take: every
// file occupies whole clusters, an empty one none.
uint64_t FloppyBytesUsed(const std::vector<uint64_t>& sizes);

// Regular files directly in a folder, keyed by lower-cased name, as
// Windows finds them without regard to case. 0 when it cannot be listed.
int ListFolder(const std::string& folder, std::map<std::string, std::string>* files);

std::string LowerCase(std::string text);

#endif
