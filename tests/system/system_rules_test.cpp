// The portable rules of the system integration: the SYSTEM.INI filter, path
// texts and the directory guard.
#include <gtest/gtest.h>

#include "directory_guard.h"
#include "system_ini_filter.h"
#include "system_text.h"

namespace {

// The TCP driver directory is as long as a driver line of 254 characters,
// one whole chunk, needs: 254 - "device=" - "\vntspsd.386".
const std::string kTcp = "c:\\" + std::string(232, 't'), kLong = "device=" + kTcp + "\\vntspsd.386";
const std::string kEnh = "[386Enh]\r\n", kSpsd = "device=c:\\olddial\\bin\\vntspsd.386",
                  x254(254, 'x');

TEST(SystemIniFilter, DropsWholeDriverLinesFromTheSectionOnAndKeepsEveryOtherByte) {
    const struct {
        const char* name;
        std::string in, out;
    } rows[] = {
        // out "": unchanged
        { "before the section", kSpsd + "\r\n" + kEnh + kSpsd + "\r\nk=1\r\n",
            kSpsd + "\r\n" + kEnh + "k=1\r\n" },
        { "later section", kEnh + "[Net]\r\nDEVICE=C:\\OLDDIAL\\BIN\\VTCPRAC.386\r\n",
            kEnh + "[Net]\r\n" },
        { "header in a comment", ";[386enh]\r\n" + kSpsd + "\r\n", ";[386enh]\r\n" },
        { "blanks", kEnh + "device = c:\\olddial\\bin\\vntspsd.386\r\n" + kSpsd + " \r\n", "" },
        { "cut at a lone CR", kEnh + "device=c:\\olddial\\bin\\vntstimd.exe\rtail\r\n", kEnh },
        { "bare LF", "[386Enh]\n\r\n\n" + kSpsd + "\nk\n" + kSpsd, "[386Enh]\n\r\n\nk\n" },
        { "NUL and Ctrl-Z", kEnh + std::string("\0\x1a\r\n", 4) + kSpsd + "\r\nz",
            kEnh + std::string("\0\x1a\r\nz", 5) },
        { "second chunk reads as a driver line", kEnh + x254 + kSpsd + "\r\n[Next]\r\nk\r\n", "" },
        { "first chunk reads as a driver line", kEnh + kLong + "more\r\n", "" },
        { "a driver line of one whole chunk", kEnh + kLong + "\r\nk\r\n", kEnh + "k\r\n" },
    };
    DriverLines lines;
    FormatDriverLines("c:\\olddial\\bin", kTcp.c_str(), &lines);
    for (const auto& row : rows) {
        std::string text = row.in;
        text.resize(FilterSystemIni(&text[0], (uint32_t)text.size(), &lines));
        EXPECT_EQ(row.out.empty() ? row.in : row.out, text) << row.name;
    }
}

TEST(PathText, JoinsWholeOrNotAtAll) {
    const std::string dir = "c:\\" + std::string(247, 'd') + "\\";  // 251 characters
    for (const auto& c : { std::make_pair(dir, "12345678"), { dir, "123456789" },
             { dir + "12345678", "" }, { "", "" } }) {
        char out[260] = "junk";
        int fits = JoinPath(out, sizeof out, c.first.c_str(), c.second);
        EXPECT_EQ(out, fits ? c.first + c.second : "") << c.second;
        EXPECT_EQ(fits, std::string(c.second) != "123456789");
    }
}

// What the system's own full paths cannot show under Wine: shares, blanks, doubled separators,
// near names, and how far a guard reaches: a folder guarded whole keeps what lies inside it too,
// a shell folder only itself and the folders that hold it. The spellings that only the system
// resolves, and other names of the same folder, are judged on real folders (SystemMigration).
TEST(DirectoryGuard, HowFarAGuardReachesAndTheWalkUp) {
    // clang-format off
    const struct { const char* path; int whole; } guards[] = {
        { "C:\\windows", 1 }, { "C:\\windows\\system32\\", 1 }, { "\\\\srv\\cd\\velorin\\", 1 },
        { "c:\\users\\u\\Desktop", 0 },
    };
    const struct { const char* dir; bool kept; } rows[] = {
        { "e:/", true }, { ".", true }, { "..", true }, { "olddial", true }, { "c:olddial", true },
        { "\\olddial", true }, { "\\\\?\\C:\\WINDOWS", true }, { "\\\\srv\\share\\", true },
        { "//srv/share", true }, { "\\\\srv\\cd", true }, { "C:\\Windows \\", true },
        { "c:\\\\windows\\\\", true }, { "c:\\windows\\system32...", true },
        { "c:\\users\\u", true }, { "\\\\SRV\\CD\\VELORIN", true }, { "c:\\windows\\fonts", true },
        { "C:\\USERS\\U\\DESKTOP.", true }, { "\\\\srv\\cd\\velorin\\disk1", true },
        { "c:\\olddial\\\\bin", false }, { "c:\\users\\u2", false }, { "\\\\srv\\share\\d", false },
        { "c:\\windowsx", false }, { "\\\\srv\\cd\\other", false },
        { "c:\\users\\u\\Desktop\\old", false },
    };
    // clang-format on
    for (const auto& row : rows) {
        bool kept = IsProtectedDirectory(row.dir);
        for (const auto& guard : guards)
            kept = kept || GuardsDirectory(guard.path, guard.whole, row.dir);
        EXPECT_EQ(row.kept, kept) << row.dir;
    }
    // A folder the system could not name guards everything.
    EXPECT_TRUE(GuardsDirectory("", 0, "c:\\olddial"));
    // clang-format off
    const struct { const char* path; std::string parent; } walk[] = {
        { "c:\\a\\b", "c:\\a" }, { "c:\\a\\", "c:\\" }, { "c:\\", "" },
        { "\\\\srv\\cd\\a\\b", "\\\\srv\\cd\\a" },
        { "\\\\srv\\cd\\a", "\\\\srv\\cd\\" }, { "\\\\srv\\cd", "" }, { "olddial\\bin", "" },
    };
    // clang-format on
    for (const auto& row : walk)
        EXPECT_EQ(row.parent, std::string(row.path, ParentFolderLength(row.path))) << row.path;
}

}  // namespace
