#include "file_time.h"

#include <cstdio>

std::string FormatFileTimeUtc(uint64_t fileTime)
{
    uint64_t seconds = fileTime / 10000000;
    uint64_t days = seconds / 86400;
    uint32_t secondOfDay = (uint32_t)(seconds % 86400);
    // Civil date from a day count: 1601-01-01 starts a 400-year Gregorian
    // cycle, so the count splits into cycles, centuries, 4-year spans and
    // years with the usual leap rules, taken from the start of March so
    // that the leap day ends its year.
    uint64_t z = days + 306;  // days since 1600-03-01
    uint64_t era = z / 146097;
    uint32_t dayOfEra = (uint32_t)(z % 146097);
    uint32_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    uint32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    uint32_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
    uint32_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    uint32_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    uint64_t year = 1600 + era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
    char text[64];
    std::snprintf(text, sizeof(text), "%04llu-%02u-%02uT%02u:%02u:%02uZ",
                  (unsigned long long)year, month, day, secondOfDay / 3600,
                  secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}
