#include "medium_layout.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

const MediumFile MEDIUM_FILES[] = {
    {"setup.exe", 1, 1},    {"nsystem.z", 1, 1},    {"netscape.z", 1, 1},
    {"wsystem.z", 1, 1},    {"plugins.z", 1, 1},    {"javaclss.z", 1, 1},
    {"javabin.z", 1, 1},    {"readme.txt", 1, 1},   {"bookmark.htm", 1, 0},
    {"nprogram.z", 2, 1},   {"corvex.z", 2, 1},     {"www.z", 2, 0},
    {"setup.ini", 2, 0},
};
const int MEDIUM_FILE_COUNT = sizeof(MEDIUM_FILES) / sizeof(MEDIUM_FILES[0]);

uint64_t FloppyBytesUsed(const std::vector<uint64_t>& sizes)
{
    uint64_t used = 0;
    for (uint64_t size : sizes)
        used += (size + FLOPPY_CLUSTER_BYTES - 1) / FLOPPY_CLUSTER_BYTES * FLOPPY_CLUSTER_BYTES;
    return used;
}

std::string LowerCase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return text;
}

int ListFolder(const std::string& folder, std::map<std::string, std::string>* files)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return 0;
    for (const fs::directory_entry& entry : it) {
        if (entry.is_regular_file(error))
            (*files)[LowerCase(entry.path().filename().string())] = entry.path().string();
    }
    return 1;
}
