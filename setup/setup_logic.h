// The front end's arithmetic and text rules, kept free of Windows so that
// they build natively and are unit-tested there. No runtime library is used:
// this code links into setup.exe, which has none.
#ifndef VELORIN_SETUP_SETUP_LOGIC_H
#define VELORIN_SETUP_SETUP_LOGIC_H

#include <stdint.h>

#include "earlier_install.h"

// Least free space an installation drive must have.
enum { REQUIRED_FREE_BYTES = 8000000 };

// Reads a signed decimal as the entry reads its progress total: leading white
// space, one optional sign, digits up to the first non-digit (none gives 0),
// accumulated in 32 bits with wrap-around.
int32_t ParseSignedDecimal(const char* text);

// Bytes that make one percent of the bar; at least 1, so that the progress
// accounting can always divide by it.
uint32_t BytesPerPercentOf(uint32_t totalBytes);

// Ends a program path just after its last backslash (a path without one stays
// whole) and lower-cases the ASCII capitals, in place.
void TakeSourceDirectory(char* path);

// Origin that centres a window of windowSize on a screen of screenSize;
// signed division truncating toward zero, negative for oversized windows.
int CenteredOrigin(int screenSize, int windowSize);

// Root asked for free space: dir up to its first backslash, then one
// backslash ("c:\orvanet" -> "c:\", "orvanet" -> "orvanet\", "\\srv\x" -> "\").
// Returns 0, with root empty, when the root does not fit in rootSize bytes.
int VolumeRootOf(const char* dir, char* root, uint32_t rootSize);

// Free bytes as clusters x bytes per sector x sectors per cluster, saturated
// at 0xFFFFFFFF so that volumes with 4 GB or more free are not mistaken for
// small ones.
uint32_t FreeBytesOf(uint32_t freeClusters, uint32_t bytesPerSector, uint32_t sectorsPerCluster);

// What the directory page makes of an entry.
enum { DIRECTORY_ACCEPTED = 1, DIRECTORY_EMPTY = 0, DIRECTORY_TOO_LONG = -1 };

// Checks the entry read from the directory field and removes one trailing
// backslash in place. An entry empty before or after that removal is
// DIRECTORY_EMPTY; one longer than MAX_INSTALL_DIR_LENGTH is DIRECTORY_TOO_LONG.
int AcceptDirectoryEntry(char* entry);

// The registration program's command line, "<installDir>\corvex\corvex.exe main"
// (no backslash doubled after an installDir that ends in one, such as "d:\"),
// with the program path quoted when installDir holds a blank so that no other
// program can be started in its place. Returns 0, with out empty, when the
// line does not fit in outSize bytes.
int FormatRegistrationCommand(const char* installDir, char* out, uint32_t outSize);

// 1 when a drive with freeBytes free may take the installation: it has at
// least REQUIRED_FREE_BYTES.
int HasRequiredFreeSpace(uint32_t freeBytes);

#endif
