// A provider's media: refusals, floppy and CD images read back by mtools
// and xorriso, and `check` on good and damaged media.
#include "setup_ini.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const char* const DISK1[] = {"setup.exe", "nsystem.z", "netscape.z", "wsystem.z", "plugins.z",
                             "javaclss.z", "javabin.z", "readme.txt", "bookmark.htm"};
const char* const DISK2[] = {"nprogram.z", "corvex.z", "www.z", "setup.ini"};

struct Result {
    int status;
    std::string out, err;
};

class Media : public ::testing::Test {
protected:
    fs::path dir, content;

    void SetUp() override
    {
        char name[] = "/tmp/media-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        content = dir / "content";
        fs::create_directories(content / "corvex");
        for (const char* file : DISK1)
            Write(content / file, Random(512));
        for (const char* file : {"nprogram.z", "www.z", "corvex/corvex.exe", "corvex/regist.dll"})
            Write(content / file, Random(700));
        Write(content / "setup.ini", "[Velorin]\r\nIsRegNoAPrefix=yes\r\nRegNo=ABC\r\n");
    }
    void TearDown() override { fs::remove_all(dir); }

    Result Run(const std::string& args) const
    {
        std::string out = (dir / "stdout").string(), err = (dir / "stderr").string();
        int raw = std::system((args + " >" + out + " 2>" + err).c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
    }
    Result Ztool(const std::string& args) const { return Run(ZTOOL_PATH " " + args); }

    static std::string Random(std::size_t size)
    {
        static std::mt19937 random(9);
        std::string bytes(size, 0);
        for (char& c : bytes)
            c = (char)random();
        return bytes;
    }
    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const fs::path& path, const std::string& data)
    {
        std::ofstream(path, std::ios::binary) << data;
    }
};

// Every refusal names the file, says what is wrong and exits >= 64; the rows
// that pass sit at the edges the refusals guard.
TEST_F(Media, RefusesWhatWouldNotInstallAsMeant)
{
    const std::string over63(64, 'R'), over255(256, 'h');
    // Besides nsystem.z, disk 1 holds eight files of 512 bytes.
    const std::size_t disk1Room = 2847 * 512 - 8 * 512;
    struct Row {
        const char* what;
        std::function<void(const fs::path&)> change;
        const char* options;
        int status;
        std::string message;
    } rows[] = {
        {"missing", [](const fs::path& c) { fs::remove(c / "nprogram.z"); }, "", 66,
         "content/nprogram.z: required file is missing"},
        {"no program", [](const fs::path& c) { fs::remove(c / "corvex/corvex.exe"); }, "", 66,
         "corvex/corvex.exe: required file is missing"},
        {"long name", [](const fs::path& c) { Write(c / "corvex/register.html", "x"); }, "", 65,
         "corvex/register.html: the file name is not an 8.3 name"},
        {"case twins", [](const fs::path& c) { Write(c / "corvex/CORVEX.EXE", "x"); }, "", 65,
         "Windows takes it for"},
        {"no section", [](const fs::path& c) { Write(c / "setup.ini", "[Other]\nRegNo=1\n"); },
         "", 65, "setup.ini: no section \"Velorin\""},
        {"RegNo 63", [&](const fs::path& c) { Write(c / "setup.ini", "[Velorin]\nRegNo=" +
                                                                    over63.substr(1)); }, "", 0, ""},
        {"RegNo 64", [&](const fs::path& c) { Write(c / "setup.ini", "[velorin]\nRegNo=" + over63); },
         "", 65, "setup.ini: RegNo has 64 characters; the setup program keeps 63"},
        {"RegNo cut allowed", [&](const fs::path& c) { Write(c / "setup.ini", "[Velorin]\nRegNo=" +
                                                                            over63); },
         "--allow-cut", 0, ""},
        {"IsRegNoAPrefix", [&](const fs::path& c) { Write(c / "setup.ini", "[Velorin]\n"
                                                          "IsRegNoAPrefix=" + over63); },
         "", 65, "IsRegNoAPrefix has 64"},
        {"HDHomePage", [&](const fs::path& c) { Write(c / "setup.ini", "[Velorin]\nHDHomePage=" +
                                                                      over255 + over255); },
         "", 0, ""},
        {"disk 1 full", [&](const fs::path& c) { Write(c / "nsystem.z", Random(disk1Room)); },
         "--floppy", 0, ""},
        {"disk 1 over", [&](const fs::path& c) { Write(c / "nsystem.z", Random(disk1Room + 1)); },
         "--floppy", 67, "disk1: does not fit on a 1,457,664-byte floppy: 512 bytes over"},
        {"disk 2 over", [&](const fs::path& c) { Write(c / "www.z", Random(2847 * 512)); },
         "--floppy", 67, "disk2: does not fit"},
    };
    std::vector<Row> table(std::begin(rows), std::end(rows));
    for (std::string key : {"HomePage", "SetupFee", "FreeHours", "FreeDays"})
        table.push_back({"256 characters", [=](const fs::path& c) {
                             Write(c / "setup.ini", "[Velorin]\n" + key + " = " + over255);
                         }, "", 65, key + " has 256 characters"});
    for (const Row& row : table) {
        SetUp();
        row.change(content);
        Result r = Ztool(std::string("media ") + row.options + " " + content.string() + " " +
                         (dir / "out").string());
        EXPECT_EQ(r.status, row.status) << row.what << ": " << r.err;
        if (row.status)
            EXPECT_NE(r.err.find(row.message), std::string::npos) << row.what << ": " << r.err;
        TearDown();
    }
}

// What mtools and xorriso read back is the content, each file on its disk.
TEST_F(Media, ImagesReadBackWithEachFileOnItsDisk)
{
    fs::path out = dir / "out", back = dir / "back";
    ASSERT_EQ(Ztool("media --floppy --iso " + content.string() + " " + out.string()).status, 0);
    std::vector<const char*> disks[2] = {{std::begin(DISK1), std::end(DISK1)},
                                         {std::begin(DISK2), std::end(DISK2)}};
    for (int d = 0; d < 2; ++d) {
        std::string disk = "disk" + std::to_string(d + 1), image = (out / disk).string() + ".img";
        std::string listing;
        for (const char* name : disks[d])
            listing += std::string("::/") + name + "\n";
        EXPECT_EQ(Run("mdir -b -i " + image).out, listing);
        fs::create_directories(back / disk);
        ASSERT_EQ(Run("mcopy -n -i " + image + " ::/* " + (back / disk).string()).status, 0);
        for (const char* name : disks[d])
            EXPECT_EQ(Read(back / disk / name), Read(out / "cd" / name)) << name;
    }
    ASSERT_EQ(Run("xorriso -osirrox on -indev " + (out / "velorin.iso").string() +
                  " -extract / " + (back / "iso").string()).status, 0);
    for (const char* name : DISK1)
        EXPECT_EQ(Read(back / "iso" / name), Read(content / name)) << name;
    for (const char* name : DISK2)
        EXPECT_EQ(Read(back / "iso" / name), Read(out / "cd" / name)) << name;
    EXPECT_EQ(Read(out / "cd" / "www.z"), Read(content / "www.z"));
    EXPECT_EQ(Ztool("check " + (out / "velorin.iso").string()).status, 0);
    EXPECT_EQ(Ztool("check " + (out / "disk1.img").string() + " " + (out / "disk2.img").string())
                  .status, 0);
}

// `check` reads a medium as setup would: one row per way it cannot install.
TEST_F(Media, CheckAcceptsOnlyAMediumThatInstalls)
{
    fs::path out = dir / "out";
    ASSERT_EQ(Ztool("media --floppy " + content.string() + " " + out.string()).status, 0);
    struct Row {
        const char* what;
        const char* medium;  // under a fresh copy of out
        std::function<void(const fs::path&)> change;
        int status;
        const char* message;
    } rows[] = {
        {"CD", "cd", [](const fs::path&) {}, 0, ""},
        {"floppy folders", "", [](const fs::path&) {}, 0, ""},
        {"missing", "cd", [](const fs::path& m) { fs::remove(m / "cd/readme.txt"); }, 66,
         "cd/readme.txt: required file is missing"},
        {"wrong disk", "", [](const fs::path& m) { fs::rename(m / "disk2/nprogram.z",
                                                              m / "disk1/nprogram.z"); },
         66, "disk2/nprogram.z: required file is missing: it lies on disk 1"},
        {"damaged", "cd", [](const fs::path& m) { fs::resize_file(m / "cd/corvex.z",
                                                         fs::file_size(m / "cd/corvex.z") - 1); },
         65, "corvex.z: member regist.dll: stream ends before its end-of-stream code"},
        {"no program", "cd", [](const fs::path& m) {  // the first member becomes corvex.exx
             std::string archive = Read(m / "cd/corvex.z");
             Write(m / "cd/corvex.z", archive.replace(4 + 9, 1, "x"));
         }, 65, "corvex.z: no member corvex.exe"},
    };
    for (const Row& row : rows) {
        fs::path copy = dir / "copy";
        fs::remove_all(copy);
        fs::copy(out, copy, fs::copy_options::recursive);
        row.change(copy);
        Result r = Ztool("check " + (copy / row.medium).string());
        EXPECT_EQ(r.status, row.status) << row.what << ": " << r.err;
        EXPECT_NE(r.err.find(row.message), std::string::npos) << row.what << ": " << r.err;
        if (!row.status)
            EXPECT_NE(r.out.find("RegNoPrefix  REG_SZ    ABC\n"), std::string::npos) << r.out;
    }
}

// What setup.ini turns into, the values every installation writes left out.
TEST(SetupIni, GivesTheValuesSetupWrites)
{
    const std::string long70(70, '7'), long300(300, '3');
    const struct {
        std::string ini, values;
    } rows[] = {
        {"[Velorin]\r\nIsRegNoAPrefix=Yes\r\nRegNo=12\r\n", "RegNoPrefix=12;"},
        {" [ velorin ] \n isregnoaprefix = YES \n regno = 12 \n", "RegNoPrefix=12;"},
        {"[Velorin]\nIsRegNoAPrefix=y\nRegNo=12\n", "RegNo=12;"},
        {"[Velorin]\nRegNo=" + long70, "RegNo=" + long70.substr(0, 63) + ";"},
        {"[Velorin]\nRegNo=\"A B\"\nRegNo=second", "RegNo=A B;"},
        {"[Velorin]\nHomePage=home.htm\nHDHomePage=x", "HomePage=home.htm;"
                                                        "LocalURLPath=DIR\\www\\home.htm;"},
        {"[Velorin]\nHDHomePage=x", ""},
        {"[Velorin]\nHomePage=" + long300, "HomePage=" + long300.substr(0, 255) + ";"},
        {"[Other]\nRegNo=1\n[Velorin]\nFreeDays=2\nFreeHours=1\nSetupFee=5",
         "SetupFee=5;FreeHours=1;FreeDays=2;"},
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
