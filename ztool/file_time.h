// FILETIME values (100-ns intervals since 1601-01-01 UTC) as text.
#ifndef VELORIN_TOOLS_ZTOOL_FILE_TIME_H
#define VELORIN_TOOLS_ZTOOL_FILE_TIME_H

#include <cstdint>
#include <string>

// "YYYY-MM-DDTHH:MM:SSZ"; the fraction of a second is dropped.
std::string FormatFileTimeUtc(uint64_t fileTime);

#endif
