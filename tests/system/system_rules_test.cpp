// The migration's text rules: the SYSTEM.INI filter and the root guard.
#include <gtest/gtest.h>

#include "directory_guard.h"
#include "system_ini_filter.h"

namespace {

const std::string kEnh = "[386Enh]\r\n", kSpsd = "device=c:\\olddial\\bin\\vntspsd.386", x254(254, 'x');

TEST(SystemIniFilter, DropsDriverLinesFromTheSectionOnAndKeepsEveryOtherByte)
{
    const struct { std::string in, out; } cases[] = {  // out "": unchanged
        { kSpsd + "\r\n" + kEnh + kSpsd + "\r\nk=1\r\n", kSpsd + "\r\n" + kEnh + "k=1\r\n" },
        { kEnh + "[Net]\r\nDEVICE=C:\\ORVANET\\TCPPRO\\BIN\\VTCPRAC.386\r\n", kEnh + "[Net]\r\n" },
        { ";[386enh]\r\n" + kSpsd + "\r\n", ";[386enh]\r\n" },
        { kEnh + "device = c:\\olddial\\bin\\vntspsd.386\r\n" + kSpsd + " \r\n", "" },
        { kEnh + "device=c:\\olddial\\bin\\vntstimd.exe\rtail\r\n", kEnh },
        { "[386Enh]\n\r\n\n" + kSpsd + "\nk\n" + kSpsd, "[386Enh]\n\r\n\nk\n" },
        { kEnh + std::string("\0\x1a\r\n", 4) + kSpsd + "\r\nz", kEnh + std::string("\0\x1a\r\nz", 5) },
        { kEnh + x254 + "\r\n" + x254 + kSpsd + "\r\n", kEnh + x254 + "\r\n" + x254 },
    };
    DriverLines lines;
    FormatDriverLines("c:\\olddial\\bin", "c:\\orvanet\\tcppro\\bin", &lines);
    for (const auto& c : cases) {
        std::string text = c.in;
        text.resize(FilterSystemIni(&text[0], (uint32_t)text.size(), &lines));
        EXPECT_EQ(c.out.empty() ? c.in : c.out, text) << c.in;
    }
}

TEST(DirectoryGuard, RootsAndTheWindowsDirectoriesAreNeverEmptied)
{
    for (const char* dir : { "", "c:", "C:\\", "c:\\\\", "c:/", "\\", "\\\\srv\\share", "\\\\srv\\share\\",
                             "c:\\WINDOWS\\", "C:\\windows\\system32" })
        EXPECT_TRUE(IsProtectedDirectory(dir, "C:\\windows", "C:\\windows\\system32\\")) << dir;
    for (const char* dir : { "c:\\olddial", "c:\\olddial\\\\bin", "\\\\srv\\share\\d", "c:\\windows\\fonts" })
        EXPECT_FALSE(IsProtectedDirectory(dir, "C:\\windows", "C:\\windows\\system32\\")) << dir;
}

}  // namespace
