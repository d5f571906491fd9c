// ztool as a provider uses it: each command's work and its exit statuses.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string dir, text;

int Ztool(const std::string& args)
{
    int raw = std::system((ZTOOL_PATH " " + args + " >" + dir + "out 2>" + dir + "err").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Read(const std::string& name)
{
    std::ostringstream data;
    data << std::ifstream(dir + name, std::ios::binary).rdbuf();
    return data.str();
}

void Write(const std::string& name, const std::string& data, time_t time = 1)
{
    std::ofstream(dir + name, std::ios::binary) << data;
    struct timespec times[2] = {{time, 0}, {time, 0}};
    utimensat(AT_FDCWD, (dir + name).c_str(), times, 0);
}

TEST(Ztool, Commands)
{
    char name[] = "/tmp/ztool-test-XXXXXX";
    dir = std::string(mkdtemp(name)) + "/";
    for (int i = 0; text.size() < 30000; ++i)
        text += "Velorin component archive, line " + std::to_string(i % 50) + "\n";
    text.resize(30000);
    for (const char* args : {"", "explode a", "list", "compress --dict 7 a b", "compress --literal-mode 2 a b",
                             "pack ARCHIVE", "extract a"})
        EXPECT_EQ(Ztool(args), 64) << args;
    EXPECT_EQ(Ztool("compress " + dir + "A.TXT " + dir + "a.z"), 66);
    Write("A.TXT", text, 820454400);
    ASSERT_EQ(Ztool("compress --literal-mode 0 --dict 4 " + dir + "A.TXT " + dir + "a.z"), 0);
    std::string stream = Read("a.z");  // its header: literal mode 0, dictionary 4
    EXPECT_EQ(stream.substr(0, 2), std::string("\0\4", 2));
    // explode exits with the decoder's result and keeps what was decoded.
    for (auto c : {std::make_pair(stream, 0), {std::string("\1\11\0\0\0\0", 6), 1},
                   {std::string("\3\6\0\0\0\0", 6), 2}, {std::string("\1\6\0\0", 4), 3}, {stream.substr(0, 500), 4}}) {
        Write("a.z", c.first);
        EXPECT_EQ(Ztool("explode " + dir + "a.z " + dir + "back"), c.second);
        EXPECT_EQ(Read("back"), text.substr(0, c.second == 0 ? text.size() : Read("back").size()));
    }
    EXPECT_GT(Read("back").size(), 500u);

    // Content and times are kept, the later of two members of a name wins, a
    // link in the target folder is replaced, not written through; names must
    // be 8.3 names.
    std::filesystem::create_directories(dir + "b/x");
    Write("B.TXT", "first");
    Write("b/B.TXT", "b", 946684799);
    Write("EMPTY", "", 0);
    std::filesystem::create_symlink(dir + "EMPTY", dir + "b/x/B.TXT");
    ASSERT_EQ(Ztool("pack " + dir + "m.z " + dir + "A.TXT " + dir + "B.TXT " + dir + "b/B.TXT " + dir + "EMPTY"), 0);
    ASSERT_EQ(Ztool("list " + dir + "m.z"), 0);
    EXPECT_NE(Read("out").find("      30000 1996-01-01T00:00:00Z\nB.TXT "), std::string::npos);
    EXPECT_NE(Read("out").find("\nB.TXT                 5          1 1999-12-31T23:59:59Z\n"
                               "EMPTY                 5          0 1970-01-01T00:00:00Z\n"), std::string::npos);
    ASSERT_EQ(Ztool("extract " + dir + "m.z " + dir + "b/x"), 0);
    EXPECT_EQ(Read("b/x/A.TXT") + Read("b/x/B.TXT") + Read("EMPTY"), text + "b");
    struct stat a, b;
    ASSERT_EQ(stat((dir + "b/x/A.TXT").c_str(), &a) + stat((dir + "b/x/B.TXT").c_str(), &b), 0);
    EXPECT_EQ(std::make_pair(a.st_mtime, b.st_mtime), std::make_pair(820454400L, 946684799L));
    Write("long.text", "x");
    EXPECT_EQ(Ztool("pack " + dir + "n.z " + dir + "long.text"), 65);

    // A damaged directory is refused before anything is written; a member
    // that does not decode within its end offset stays as far as it got, and
    // no later member is written.
    std::string good = Read("m.z"), escape = good, cut = good;
    escape.replace(4 + 29, 13, std::string("..\\EMPTY\0\0\0\0\0", 13));
    cut[4 + 25] -= 3;  // the low byte of A's end offset, 517: its end code falls outside
    for (auto c : {std::make_pair(good.substr(0, 40), "entry 1 of 4"), {escape, "entry 1 of 4"},
                   {cut, "ends before its end-of-stream code"}}) {
        Write("bad.z", c.first);
        EXPECT_EQ(Ztool("list " + dir + "bad.z"), 65) << c.second;
        EXPECT_EQ(Ztool("extract " + dir + "bad.z " + dir + "x"), 65) << c.second;
        EXPECT_NE(Read("err").find(c.second), std::string::npos) << Read("err");
        EXPECT_FALSE(std::filesystem::exists(dir + "x/B.TXT"));
    }
    EXPECT_EQ(Read("x/A.TXT"), text.substr(0, Read("x/A.TXT").size()));
    EXPECT_GT(Read("x/A.TXT").size(), 0u);
    std::filesystem::remove_all(dir);
}

} // namespace
