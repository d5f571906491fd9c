// ztool as a provider runs it: stream and archive commands, the media's refusals,
// images read back by Debian's tools, `check`, and the registry values setup.ini gives.
#include "setup_ini.h"

#include <gtest/gtest.h>

#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const std::vector<const char*> DISKS[2] = { { "setup.exe", "nsystem.z", "netscape.z", "wsystem.z",
                                                "plugins.z", "javaclss.z", "javabin.z",
                                                "readme.txt", "bookmark.htm" },
    { "nprogram.z", "corvex.z", "www.z", "setup.ini" } };
const std::size_t NSYSTEM_ROOM = 2847 * 512 - 8 * 512;  // beside disk 1's other files of 512 bytes
const fs::path DIR = fs::temp_directory_path() / ("media-test-" + std::to_string(getpid()));
const fs::path CONTENT = DIR / "content", OUT = DIR / "out";
const std::string MEDIA = ZTOOL_PATH " media " + CONTENT.string() + " " + OUT.string() + " ";
const std::string CHECK = ZTOOL_PATH " check ";

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
// Writes a file last written at a second since 1970 (UTC); by default a fixed
// one, so that the same content always makes the same medium.
void Write(const fs::path& path, const std::string& data, time_t time = 981173046) {
    std::ofstream(path, std::ios::binary) << data;
    struct timeval times[2] = { { time, 0 }, { time, 0 } };
    utimes(path.c_str(), times);
}

typedef std::function<void(const fs::path&)> Change;
// Writes the data to the file in a folder, or with no data removes the file.
Change Put(const char* file, const std::string& data) {
    return [=](auto& d) { data.empty() ? (void)fs::remove(d / file) : Write(d / file, data); };
}
// A command line's exit status and all it printed.
std::pair<int, std::string> Shell(const std::string& command) {
    int raw = std::system((command + " >" + (DIR / "log").string() + " 2>&1").c_str());
    return { WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(DIR / "log") };
}
// A change to a folder, and the exit status and message a command then gives.
struct Row {
    const char* argument = "";
    Change change;
    int status = 0;
    const char* message = "";
};
void Expect(const std::string& command, const Row& row) {
    auto [status, text] = Shell(command);
    EXPECT_EQ(status, row.status) << row.message << "\n" << command << "\n" << text;
    EXPECT_NE(text.find(row.message), std::string::npos) << command << "\n" << text;
}

struct Ztool : ::testing::Test {
    // Afresh: the content of a medium that installs, and no medium yet.
    void SetUp() override {
        fs::remove_all(DIR);
        fs::create_directories(CONTENT / "corvex");
        char fill = 'a';
        for (const char* file : DISKS[0]) Write(CONTENT / file, std::string(512, fill++));
        for (const char* file : { "nprogram.z", "www.z", "corvex/corvex.exe", "corvex/regist.dll" })
            Write(CONTENT / file, std::string(700, fill++));
        Write(CONTENT / "setup.ini", "[Velorin]\r\nIsRegNoAPrefix=yes\r\nRegNo=ABC\r\n");
    }
    void TearDown() override { fs::remove_all(DIR); }
};

// Every refusal names the file and what is wrong, those about the content
// before anything is written; the rows that pass sit at the edges refused.
TEST_F(Ztool, RefusesWhatWouldNotInstallAsMeant) {
    const std::string r(63, 'r'), h(255, 'h');  // HDHomePage is only tested for being empty
    const Change over = Put("setup.ini", "[Velorin]\nFreeDays=" + h + "h");
    // clang-format off
    const Row rows[] = {
        {"", Put("nprogram.z", ""), 66, "content/nprogram.z: required file is missing"},
        {"", Put("corvex/corvex.exe", ""), 66, "corvex/corvex.exe: required file is missing"},
        {"", Put("corvex/a.html", "x"), 65, "corvex/a.html: the file name is not an 8.3 name"},
        {"", Put("corvex/CORVEX.EXE", "x"), 65, "Windows takes it for"},
        {"", Put("setup.ini", "[Other]\nRegNo=1\n"), 65, "setup.ini: no section \"Velorin\""},
        {"", Put("setup.ini", "[Velorin]\nIsRegNoAPrefix=" + r + "\nFreeDays=" + h +
                                  "\nHDHomePage=" + h + h), 0},
        {"", over, 65, "setup.ini: FreeDays has 256 characters; the setup program keeps 255"},
        {"--allow-cut", over, 0, ""},
        {"--floppy", Put("nsystem.z", std::string(NSYSTEM_ROOM + 1, 'n')), 67,
         "disk1: does not fit on a 1,457,664-byte floppy: 512 bytes over"},
        {"--floppy", Put("www.z", std::string(2847 * 512, 'w')), 67, "disk2: does not fit"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SetUp();
        row.change(CONTENT);
        Expect(MEDIA + row.argument, row);
        EXPECT_EQ(fs::exists(OUT), row.status == 0 || row.status == 67) << row.message;
    }
}

// The images hold the content and nothing else: mtools reads it back, each file
// on its disk, a full disk 1 included; the CD image made again a second later in
// another time zone is the same, dated by the newest file (one outside corvex/).
// `check` passes both media and fails any that cannot install.
TEST_F(Ztool, ImagesHoldTheContentAloneAndCheckPassesOnlyWhatInstalls) {
    Write(CONTENT / "nsystem.z", std::string(NSYSTEM_ROOM, 'n'));
    Write(CONTENT / "readme.txt", "the newest", 981173106);  // 2001-02-03 04:05:06 UTC
    ASSERT_EQ(Shell("TZ=UTC " + MEDIA + "--floppy --iso").first, 0);
    std::string iso = (OUT / "velorin.iso").string(), corvex = Read(OUT / "cd/corvex.z");
    const std::string image = Read(iso), date("2001020304050600\0", 17);
    EXPECT_EQ(image.substr(16 * 2048 + 813, 2 * 17), date + date);  // created, modified; zone +0
    sleep(1);
    ASSERT_EQ(Shell("TZ=Asia/Kolkata " + MEDIA + "--iso").first, 0);
    EXPECT_TRUE(Read(iso) == image);
    std::string images[2] = { (OUT / "disk1.img").string(), (OUT / "disk2.img").string() };
    for (int d = 0; d < 2; ++d) {
        std::string listing;
        for (const char* name : DISKS[d]) {
            listing += std::string("::/") + name + "\n";
            std::string made = name == std::string("corvex.z") ? corvex : Read(CONTENT / name);
            EXPECT_EQ(Shell("mtype -i " + images[d] + " ::/" + name).second, made) << name;
        }
        EXPECT_EQ(Shell("mdir -b -i " + images[d]).second, listing);
    }
    Expect(CHECK + iso, { "", nullptr, 0, "the medium installs" });
    Expect(CHECK + images[0] + " " + images[1], { "", nullptr, 0, "RegNoPrefix  REG_SZ    ABC\n" });
    // clang-format off
    const Row rows[] = {
        {"", [](const fs::path& m) { fs::rename(m / "disk2/nprogram.z", m / "disk1/nprogram.z"); },
         66, "disk2/nprogram.z: required file is missing: it lies on disk 1"},
        {"cd", Put("cd/corvex.z", corvex.substr(0, corvex.size() - 1)), 65,
         "corvex.z: member regist.dll: stream ends before its end-of-stream code"},
        {"cd", Put("cd/corvex.z", std::string(corvex).replace(4 + 9, 1, "x")), 65,  // corvex.exx
         "corvex.z: no member corvex.exe"},
    };
    // clang-format on
    for (const Row& row : rows) {
        row.change(OUT);
        Expect(CHECK + (OUT / row.argument).string(), row);
    }
}

// What setup.ini turns into, the values every installation writes left out.
TEST(SetupIni, GivesTheValuesSetupWrites) {
    const std::string r(64, 'r'), h(256, 'h'), s(256, 's'), t(256, 't'), d(256, 'd');
    // clang-format off
    const struct { std::string ini, values; } rows[] = {
        {" [ velorin ] \r\n isregnoaprefix = YES \r\n regno = 12 \r\n", "RegNoPrefix=12;"},
        {"[Velorin]\nIsRegNoAPrefix=y\nRegNo=\"A B\"\nRegNo=second", "RegNo=A B;"},
        {"[Velorin]\nHomePage=h.htm\nHDHomePage=x", "HomePage=h.htm;LocalURLPath=DIR\\www\\h.htm;"},
        {"[Velorin]\nHDHomePage=x", ""},
        {"[Other]\nRegNo=1\n[Velorin]\nFreeDays=" + d + "\nFreeHours=" + t + "\nSetupFee=" + s +
             "\nHomePage=" + h + "\nRegNo=" + r,
         "RegNo=" + r.substr(1) + ";HomePage=" + h.substr(1) + ";SetupFee=" + s.substr(1) +
             ";FreeHours=" + t.substr(1) + ";FreeDays=" + d.substr(1) + ";"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SetupIni ini;
        ParseSetupIni(row.ini, &ini);
        std::string values;
        for (const RegistryValue& value : PreviewRegistry(ini))
            if (value.name != "MainDir" && value.name != "VL31Eudora" && value.name != "Flags")
                values += value.name + "=" + value.data + ";";
        EXPECT_EQ(values, row.values) << row.ini;
    }
}

// The stream and archive commands: each one's work and its exit statuses.
TEST_F(Ztool, StreamAndArchiveCommands) {
    fs::create_directories(DIR / "b/x");
    fs::current_path(DIR);  // the files named below lie there
    auto ztool = [](std::string a) { return Shell("(" ZTOOL_PATH " " + a + " >out 2>err)").first; };
    std::string text;
    for (int i = 0; text.size() < 30000; ++i)
        text += "Velorin component archive, line " + std::to_string(i % 50) + "\n";
    text.resize(30000);
    for (const char* args : { "", "explode a", "list", "compress --dict 7 a b",
             "compress --literal-mode 2 a b", "pack ARCHIVE", "extract a" })
        EXPECT_EQ(ztool(args), 64) << args;
    EXPECT_EQ(ztool("compress A.TXT a.z"), 66);
    Write("A.TXT", text, 820454400);
    ASSERT_EQ(ztool("compress --literal-mode 0 --dict 4 A.TXT a.z"), 0);
    std::string stream = Read("a.z");  // its header: literal mode 0, dictionary 4
    EXPECT_EQ(stream.substr(0, 2), std::string("\0\4", 2));
    // explode keeps what was decoded and exits with the decoder's result.
    for (auto c : { std::pair(stream, 0), { stream.substr(0, 500), 4 } }) {
        Write("a.z", c.first);
        EXPECT_EQ(ztool("explode a.z back"), c.second);
        EXPECT_EQ(Read("back"), text.substr(0, c.second == 0 ? text.size() : Read("back").size()));
    }
    EXPECT_GT(Read("back").size(), 500u);

    // Content and times are kept, the later of two members of a name wins, a
    // link in the target folder is replaced, not written through.
    Write("B.TXT", "first");
    Write("b/B.TXT", "b", 946684799);
    Write("EMPTY", "", 0);
    fs::create_symlink(DIR / "EMPTY", "b/x/B.TXT");
    ASSERT_EQ(ztool("pack m.z A.TXT B.TXT b/B.TXT EMPTY"), 0);
    ASSERT_EQ(ztool("list m.z"), 0);  // all that follows A.TXT's name and stream size:
    EXPECT_EQ(Read("out").substr(12 + 1 + 10),
        "      30000 1996-01-01T00:00:00Z\n"
        "B.TXT                 8          5 2001-02-03T04:04:06Z\n"
        "B.TXT                 5          1 1999-12-31T23:59:59Z\n"
        "EMPTY                 5          0 1970-01-01T00:00:00Z\n");
    ASSERT_EQ(ztool("extract m.z b/x"), 0);
    EXPECT_EQ(Read("b/x/A.TXT") + Read("b/x/B.TXT") + Read("EMPTY"), text + "b");
    EXPECT_EQ(Shell("stat -c %Y b/x/A.TXT b/x/B.TXT").second, "820454400\n946684799\n");

    // A damaged directory is refused before anything is written; a member that does not decode
    // within its end offset stays as far as it got, and no later member is written.
    std::string good = Read("m.z"), escape = good, cut = good;
    escape.replace(4 + 29, 13, std::string("..\\EMPTY\0\0\0\0\0", 13));
    cut[4 + 25] -= 3;  // the low byte of A's end offset, 517: its end code falls outside
    for (auto c : { std::make_pair(good.substr(0, 40), "entry 1 of 4 cannot be read whole"),
             { escape, "entry 1 of 4 has an unterminated or unsafe name" },
             { cut, "member A.TXT: stream ends before its end-of-stream code" } }) {
        Write("bad.text", c.first);
        Expect(ZTOOL_PATH " list bad.text", { "", nullptr, 65, c.second });
        Expect(ZTOOL_PATH " extract bad.text x", { "", nullptr, 65, c.second });
        EXPECT_FALSE(fs::exists("x/B.TXT"));
    }
    EXPECT_EQ(Read("x/A.TXT"), text.substr(0, Read("x/A.TXT").size()));
    EXPECT_GT(Read("x/A.TXT").size(), 0u);
    EXPECT_EQ(ztool("pack n.z bad.text"), 65);  // members must have 8.3 names
    fs::current_path(DIR / "..");
}

}  // namespace
