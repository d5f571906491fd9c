// A provider's media: refusals, floppy images read back by mtools, `check`
// on good and damaged media, and the registry values setup.ini gives.
#include "setup_ini.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const std::vector<const char*> DISKS[2] = {{"setup.exe", "nsystem.z", "netscape.z", "wsystem.z",
    "plugins.z", "javaclss.z", "javabin.z", "readme.txt", "bookmark.htm"},
    {"nprogram.z", "corvex.z", "www.z", "setup.ini"}};
const std::size_t NSYSTEM_ROOM = 2847 * 512 - 8 * 512;  // beside disk 1's other files of 512 bytes
const fs::path DIR = fs::temp_directory_path() / ("media-test-" + std::to_string(getpid()));
const fs::path CONTENT = DIR / "content", OUT = DIR / "out";
const std::string MEDIA = ZTOOL_PATH " media " + CONTENT.string() + " " + OUT.string() + " ";
const std::string CHECK = ZTOOL_PATH " check ";

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void Write(const fs::path& p, const std::string& d) { std::ofstream(p, std::ios::binary) << d; }

typedef std::function<void(const fs::path&)> Change;
// Writes the data to the file in a folder, or with no data removes the file.
Change Put(const char* file, const std::string& data)
{
    return [=](auto& d) { data.empty() ? (void)fs::remove(d / file) : Write(d / file, data); };
}
// A command line's exit status and all it printed.
std::pair<int, std::string> Shell(const std::string& command)
{
    int raw = std::system((command + " >" + (DIR / "log").string() + " 2>&1").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(DIR / "log")};
}
// A change to a folder, and the exit status and message a command then gives.
struct Row { const char* argument = ""; Change change; int status = 0; const char* message = ""; };
void Expect(const std::string& command, const Row& row)
{
    auto [status, text] = Shell(command);
    EXPECT_EQ(status, row.status) << row.message << "\n" << command << "\n" << text;
    EXPECT_NE(text.find(row.message), std::string::npos) << command << "\n" << text;
}

struct Media : ::testing::Test {
    // Afresh: the content of a medium that installs, and no medium yet.
    void SetUp() override
    {
        fs::remove_all(DIR);
        fs::create_directories(CONTENT / "corvex");
        char fill = 'a';
        for (const char* file : DISKS[0])
            Write(CONTENT / file, std::string(512, fill++));
        for (const char* file : {"nprogram.z", "www.z", "corvex/corvex.exe", "corvex/regist.dll"})
            Write(CONTENT / file, std::string(700, fill++));
        Write(CONTENT / "setup.ini", "[Velorin]\r\nIsRegNoAPrefix=yes\r\nRegNo=ABC\r\n");
    }
    void TearDown() override { fs::remove_all(DIR); }
};

// Every refusal names the file and what is wrong, those about the content
// before anything is written; the rows that pass sit at the edges refused.
TEST_F(Media, RefusesWhatWouldNotInstallAsMeant)
{
    const std::string r(63, 'r'), h(255, 'h');  // HDHomePage is only tested for being empty
    const Change over = Put("setup.ini", "[Velorin]\nFreeDays=" + h + "h");
    const Row rows[] = {
        {"", Put("nprogram.z", ""), 66, "content/nprogram.z: required file is missing"},
        {"", Put("corvex/corvex.exe", ""), 66, "corvex/corvex.exe: required file is missing"},
        {"", Put("corvex/a.html", "x"), 65, "corvex/a.html: the file name is not an 8.3 name"},
        {"", Put("corvex/CORVEX.EXE", "x"), 65, "Windows takes it for"},
        {"", Put("setup.ini", "[Other]\nRegNo=1\n"), 65, "setup.ini: no section \"Velorin\""},
        {"", Put("setup.ini", "[Velorin]\nIsRegNoAPrefix=" + r + "\nRegNo=" + r + "\nHomePage=" +
                                  h + "\nSetupFee=" + h + "\nFreeHours=" + h + "\nFreeDays=" + h +
                                  "\nHDHomePage=" + h + h), 0},
        {"", over, 65, "setup.ini: FreeDays has 256 characters; the setup program keeps 255"},
        {"--allow-cut", over, 0, ""},
        {"--floppy", Put("nsystem.z", std::string(NSYSTEM_ROOM + 1, 'n')), 67,
         "disk1: does not fit on a 1,457,664-byte floppy: 512 bytes over"},
        {"--floppy", Put("www.z", std::string(2847 * 512, 'w')), 67, "disk2: does not fit"},
    };
    for (const Row& row : rows) {
        SetUp();
        row.change(CONTENT);
        Expect(MEDIA + row.argument, row);
        EXPECT_EQ(fs::exists(OUT), row.status == 0 || row.status == 67) << row.message;
    }
}

// mtools reads the content back from the images, each file on its disk, a full
// disk 1 included; `check` passes both media and fails any that cannot install.
TEST_F(Media, ImagesReadBackAndCheckPassesOnlyWhatInstalls)
{
    Write(CONTENT / "nsystem.z", std::string(NSYSTEM_ROOM, 'n'));
    ASSERT_EQ(Shell(MEDIA + "--floppy --iso").first, 0);
    std::string iso = (OUT / "velorin.iso").string(), corvex = Read(OUT / "cd/corvex.z");
    std::string images[2] = {(OUT / "disk1.img").string(), (OUT / "disk2.img").string()};
    for (int d = 0; d < 2; ++d) {
        std::string listing;
        for (const char* name : DISKS[d]) {
            listing += std::string("::/") + name + "\n";
            std::string made = name == std::string("corvex.z") ? corvex : Read(CONTENT / name);
            EXPECT_EQ(Shell("mtype -i " + images[d] + " ::/" + name).second, made) << name;
        }
        EXPECT_EQ(Shell("mdir -b -i " + images[d]).second, listing);
    }
    Expect(CHECK + iso, {"", nullptr, 0, "the medium installs"});
    Expect(CHECK + images[0] + " " + images[1], {"", nullptr, 0, "RegNoPrefix  REG_SZ    ABC\n"});
    const Row rows[] = {
        {"", [](const fs::path& m) { fs::rename(m / "disk2/nprogram.z", m / "disk1/nprogram.z"); },
         66, "disk2/nprogram.z: required file is missing: it lies on disk 1"},
        {"cd", Put("cd/corvex.z", corvex.substr(0, corvex.size() - 1)), 65,
         "corvex.z: member regist.dll: stream ends before its end-of-stream code"},
        {"cd", Put("cd/corvex.z", std::string(corvex).replace(4 + 9, 1, "x")), 65,  // corvex.exx
         "corvex.z: no member corvex.exe"},
    };
    for (const Row& row : rows) {
        row.change(OUT);
        Expect(CHECK + (OUT / row.argument).string(), row);
    }
}

// Nothing in the CD image says when or where it was made, as text (volume
// descriptors) or as binary fields (directory records, Rock Ridge): it is the
// same from the same content, and dated by the newest file, one outside corvex/.
TEST_F(Media, CdImageIsDatedByTheContentAlone)
{
    Shell("find " + CONTENT.string() + " -exec touch -d @981173046 {} + && touch -d @981173106 " +
          (CONTENT / "readme.txt").string());  // 2001-02-03 04:05:06 UTC
    time_t start = time(nullptr);
    ASSERT_EQ(Shell("TZ=UTC " + MEDIA + "--iso").first, 0);
    time_t end = time(nullptr);
    const std::string iso = Read(OUT / "velorin.iso"), date("2001020304050600\0", 17);
    EXPECT_EQ(iso.substr(16 * 2048 + 813, 2 * 17), date + date);  // created, modified; zone +0
    ASSERT_EQ(Shell("TZ=Asia/Kolkata " + MEDIA + "--iso").first, 0);
    EXPECT_TRUE(Read(OUT / "velorin.iso") == iso);
    for (time_t t = start; t <= end; ++t) {
        std::tm u = *std::gmtime(&t);
        char text[16], binary[] = {char(u.tm_year), char(u.tm_mon + 1), char(u.tm_mday),
                                   char(u.tm_hour), char(u.tm_min), char(u.tm_sec)};
        std::strftime(text, sizeof(text), "%Y%m%d%H%M%S", &u);
        EXPECT_EQ(iso.find(text), std::string::npos) << text;
        EXPECT_EQ(iso.find(std::string(binary, 6)), std::string::npos) << text;
    }
}

// What setup.ini turns into, the values every installation writes left out.
TEST(SetupIni, GivesTheValuesSetupWrites)
{
    const std::string r(64, 'r'), h(256, 'h'), s(256, 's'), t(256, 't'), d(256, 'd');
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

} // namespace
