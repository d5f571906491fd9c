#include "run_tool.h"

#ifdef _WIN32

int RunTool(const std::vector<std::string>& argv, std::string* error)
{
    *error = argv[0] + " is run on POSIX hosts only";
    return 0;
}

int MakeTempFolder(std::string*)
{
    return 0;
}

#else

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string LastLine(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::size_t cut = text.find_last_of('\n');
    return cut == std::string::npos ? text : text.substr(cut + 1);
}

} // namespace

int RunTool(const std::vector<std::string>& argv, std::string* error)
{
    char log[] = "/tmp/ztool-log-XXXXXX";
    int logFd = mkstemp(log);
    if (logFd < 0) {
        *error = std::string("cannot create a log file: ") + std::strerror(errno);
        return 0;
    }
    close(logFd);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back((char*)arg.c_str());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log, O_WRONLY | O_TRUNC, 0);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    // mkfs.fat sits in /usr/sbin, which an ordinary user's PATH may lack.
    for (const char* dir : {"/usr/sbin/", "/sbin/"}) {
        if (spawned != ENOENT || argv[0].find('/') != std::string::npos)
            break;
        std::string path = dir + argv[0];
        spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, args.data(), environ);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned == 0)
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    std::string last = LastLine(log);
    unlink(log);
    if (spawned == ENOENT) {
        *error = argv[0] + " is not installed (Debian packages mtools, dosfstools, xorriso)";
        return 0;
    }
    if (spawned != 0) {
        *error = "cannot run " + argv[0] + ": " + std::strerror(spawned);
        return 0;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return 1;
    *error = argv[0] + " failed" +
             (WIFEXITED(status) ? " with status " + std::to_string(WEXITSTATUS(status)) : "") +
             (last.empty() ? "" : ": " + last);
    return 0;
}

int MakeTempFolder(std::string* path)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/ztool-XXXXXX";
    if (!mkdtemp(&pattern[0]))
        return 0;
    *path = pattern;
    return 1;
}

#endif
