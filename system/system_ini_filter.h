// The SYSTEM.INI rewrite of the migration: the old dialer's driver lines are
// taken out, every other byte stays as it was. Free of Windows so that it is
// unit-tested natively; the migration reads and writes the files.
#ifndef VELORIN_SYSTEM_SYSTEM_INI_FILTER_H
#define VELORIN_SYSTEM_SYSTEM_INI_FILTER_H

#include <stdint.h>

enum { DRIVER_FILE_COUNT = 3, DRIVER_LINE_COUNT = 2 * DRIVER_FILE_COUNT, DRIVER_LINE_SIZE = 320 };

// The old dialer's driver files, each with the backslash that joins it to
// its folder.
extern const char* const DRIVER_FILES[DRIVER_FILE_COUNT];

// The device lines that loaded the old dialer's drivers.
struct DriverLines {
    char line[DRIVER_LINE_COUNT][DRIVER_LINE_SIZE];
};

// Forms "device=<dir>\<driver>" for the three drivers, once with dialerBinDir
// and once with tcpBinDir, each directory used as it is given. A line that
// would not fit is left empty and matches nothing.
void FormatDriverLines(const char* dialerBinDir, const char* tcpBinDir, DriverLines* lines);

// Filters length bytes of SYSTEM.INI text in place and returns the length
// kept. The text is taken in chunks of one line (a CR LF pair counts as one
// character), at most 254 characters each, the line end that follows a full
// chunk included. From the first chunk that holds "[386Enh]" in any case on,
// to the end of the file, a chunk that is a whole line is dropped when, cut
// at its line end and compared without regard to case, it equals a driver
// line. Every other chunk is kept byte for byte, NUL and Ctrl-Z too, so a
// longer line is never cut and never joined to the next.
uint32_t FilterSystemIni(char* text, uint32_t length, const DriverLines* lines);

#endif
