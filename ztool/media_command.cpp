// `media`: lays out a distribution medium from a provider's content folder.
// Everything is checked before anything is written, except the floppy fit,
// which needs corvex.z packed first.
#include "ztool.h"

#include "archive_format.h"
#include "file_time.h"
#include "medium_layout.h"
#include "platform_files.h"
#include "run_tool.h"
#include "setup_ini.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

typedef std::map<std::string, std::string> Folder;

// The registration program's files: plain files with distinct 8.3 names,
// corvex.exe among them. Their paths in name order, or a failure status.
int CollectCorvexFiles(const std::string& content, std::vector<std::string>* files)
{
    std::string folder = (fs::path(content) / "corvex").string();
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return Fail(ZTOOL_NO_INPUT, folder, "the registration program's folder is missing");
    Folder seen;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        std::string path = entry.path().string();
        if (!entry.is_regular_file(error))
            return Fail(ZTOOL_DAMAGED, path, "not a plain file");
        if (name.size() > ARCHIVE_NAME_MAX || !ArchiveNameIsShort(name.c_str()))
            return Fail(ZTOOL_DAMAGED, path, "the file name is not an 8.3 name");
        for (int i = 0; i < MEDIUM_FILE_COUNT; ++i)
            if (LowerCase(name) == MEDIUM_FILES[i].name)
                Fail(ZTOOL_OK, path, "note: the medium's own " + LowerCase(name) +
                                         " lands in the same folder; one replaces the other");
        std::string& other = seen[LowerCase(name)];
        if (!other.empty())
            return Fail(ZTOOL_DAMAGED, path, "Windows takes it for " + other);
        other = path;
    }
    if (seen.find("corvex.exe") == seen.end())
        return Fail(ZTOOL_NO_INPUT, (fs::path(folder) / "corvex.exe").string(),
                    "required file is missing");
    for (const auto& file : seen)
        files->push_back(file.second);
    return ZTOOL_OK;
}

int CheckSetupIni(const std::string& path, int allowCut)
{
    SetupIni ini;
    int status = LoadSetupIni(path, &ini);
    if (status != ZTOOL_OK)
        return status;
    for (int i = 0; i < SETUP_INI_KEY_COUNT && !allowCut; ++i) {
        const SetupIniKey& key = SETUP_INI_KEYS[i];
        std::size_t length = SetupIniValue(ini, key.name).size();
        if (key.readLimit && length >= key.readLimit)
            return Fail(ZTOOL_DAMAGED, path,
                        std::string(key.name) + " has " + std::to_string(length) +
                            " characters; the setup program keeps " +
                            std::to_string(key.readLimit - 1) + " (--allow-cut accepts that)");
    }
    return ZTOOL_OK;
}

// Copies with the last-write time kept.
int CopyKeepingTime(const std::string& from, const std::string& to)
{
    std::error_code error;
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, error))
        return Fail(ZTOOL_WRITE_FAILED, to, error.message());
    fs::last_write_time(to, fs::last_write_time(from, error), error);
    if (error)
        return Fail(ZTOOL_WRITE_FAILED, to, "cannot set its last-write time");
    return ZTOOL_OK;
}

int FreshFolder(const std::string& path)
{
    std::error_code error;
    fs::remove_all(path, error);
    if (error || !fs::create_directories(path, error))
        return Fail(ZTOOL_NO_OUTPUT, path, "cannot create the folder");
    return ZTOOL_OK;
}

int Tool(const std::vector<std::string>& argv, const std::string& file)
{
    std::string error;
    return RunTool(argv, &error) ? ZTOOL_OK : Fail(ZTOOL_NO_TOOL, file, error);
}

// disk1/ and disk2/ from the CD folder, each checked to fit, and their images.
int LayOutFloppies(const std::string& cd, const std::string& out)
{
    std::vector<std::string> names[2];
    std::vector<uint64_t> sizes[2];
    std::error_code error;
    for (int i = 0; i < MEDIUM_FILE_COUNT; ++i) {
        fs::path from = fs::path(cd) / MEDIUM_FILES[i].name;
        if (!fs::exists(from, error))
            continue;
        names[MEDIUM_FILES[i].disk - 1].push_back(MEDIUM_FILES[i].name);
        sizes[MEDIUM_FILES[i].disk - 1].push_back(fs::file_size(from, error));
    }
    for (int disk = 0; disk < 2; ++disk) {
        uint64_t used = FloppyBytesUsed(sizes[disk]);
        std::string folder = (fs::path(out) / ("disk" + std::to_string(disk + 1))).string();
        if (used > FLOPPY_CAPACITY)
            return Fail(ZTOOL_DISK_FULL, folder,
                        "does not fit on a 1,457,664-byte floppy: " +
                            std::to_string(used - FLOPPY_CAPACITY) + " bytes over");
    }
    for (int disk = 0; disk < 2; ++disk) {
        std::string number = std::to_string(disk + 1);
        std::string folder = (fs::path(out) / ("disk" + number)).string();
        std::string image = folder + ".img";
        int status = FreshFolder(folder);
        std::vector<std::string> mcopy = {"mcopy", "-m", "-i", image};
        for (std::size_t i = 0; i < names[disk].size() && status == ZTOOL_OK; ++i) {
            std::string path = (fs::path(folder) / names[disk][i]).string();
            status = CopyKeepingTime((fs::path(cd) / names[disk][i]).string(), path);
            mcopy.push_back(path);
        }
        mcopy.push_back("::/");
        fs::remove(image, error);
        if (status == ZTOOL_OK)
            status = Tool({"mkfs.fat", "-C", "--invariant", "-n", "VELORIN " + number, image,
                           "1440"}, image);
        if (status == ZTOOL_OK)
            status = Tool(mcopy, image);
        if (status != ZTOOL_OK)
            return status;
    }
    return ZTOOL_OK;
}

// The image takes every date from the content, as the floppies do, so that a
// rebuild of the same content matches a shipped image byte for byte: the
// newest file's last-write time dates the volumes (xorriso's "uuid" time, to
// the second, in UTC) and every folder, which the clock dated when it was
// made. set_to_mtime gives each file Rock Ridge access and change times equal
// to its last-write time rather than to the moment it was copied here.
// Expiry and effective dates stay unset; -no_rc keeps the machine's xorriso
// startup files out.
int MakeCdImage(const std::string& cd, const std::string& image)
{
    std::error_code error;
    std::vector<fs::path> folders = {cd};
    fs::path newest;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(cd, error)) {
        if (entry.is_directory(error))
            folders.push_back(entry.path());
        else if (newest.empty() ||
                 entry.last_write_time(error) > fs::last_write_time(newest, error))
            newest = entry.path();
    }
    uint64_t time = 0;
    if (!GetLastWriteTime(newest.string(), &time))
        return Fail(ZTOOL_NO_INPUT, newest.string(), "cannot read its last-write time");
    for (const fs::path& folder : folders) {
        fs::last_write_time(folder, fs::last_write_time(newest, error), error);
        if (error)
            return Fail(ZTOOL_WRITE_FAILED, folder.string(), "cannot set its last-write time");
    }
    std::string date;  // YYYYMMDDhhmmss from YYYY-MM-DDThh:mm:ssZ, then 00 hundredths
    for (char c : FormatFileTimeUtc(time))
        if (std::isdigit((unsigned char)c))
            date += c;
    return Tool({"xorriso", "-no_rc", "-as", "mkisofs", "-quiet", "-V", "VELORIN", "-J", "-r",
                 "--modification-date=" + date + "00", "--set_all_file_dates", "set_to_mtime",
                 "-o", image, cd},
                image);
}

} // namespace

int CommandMedia(const std::string& content, const std::string& out, int floppy, int iso,
                 int allowCut)
{
    // OUT/cd and the disk folders are made afresh: never over the content.
    std::error_code error;
    fs::path source = fs::weakly_canonical(content, error);
    for (const char* made : {"cd", "disk1", "disk2"}) {
        fs::path target = fs::weakly_canonical(fs::path(out) / made, error);
        auto [end, unused] = std::mismatch(target.begin(), target.end(), source.begin(),
                                           source.end());
        if (end == target.end())
            return Fail(ZTOOL_USAGE, content, "lies in " + target.string() +
                                                  ", which the medium replaces");
    }
    Folder found;
    if (!ListFolder(content, &found))
        return Fail(ZTOOL_NO_INPUT, content, "cannot list the content folder");
    for (int i = 0; i < MEDIUM_FILE_COUNT; ++i) {
        const MediumFile& file = MEDIUM_FILES[i];
        if (file.required && std::string(file.name) != "corvex.z" && !found.count(file.name))
            return Fail(ZTOOL_NO_INPUT, (fs::path(content) / file.name).string(),
                        "required file is missing");
    }
    for (const auto& file : found) {
        auto known = std::find_if(MEDIUM_FILES, MEDIUM_FILES + MEDIUM_FILE_COUNT,
                                  [&](const MediumFile& m) { return file.first == m.name; });
        if (known == MEDIUM_FILES + MEDIUM_FILE_COUNT || file.first == "corvex.z")
            Fail(ZTOOL_OK, file.second, "not a file of the medium; left out");
    }
    std::vector<std::string> corvexFiles;
    int status = CollectCorvexFiles(content, &corvexFiles);
    if (status == ZTOOL_OK && found.count("setup.ini"))
        status = CheckSetupIni(found["setup.ini"], allowCut);
    std::string cd = (fs::path(out) / "cd").string();
    if (status == ZTOOL_OK)
        status = FreshFolder(cd);
    for (int i = 0; i < MEDIUM_FILE_COUNT && status == ZTOOL_OK; ++i) {
        std::string name = MEDIUM_FILES[i].name;
        if (name != "corvex.z" && found.count(name))
            status = CopyKeepingTime(found[name], (fs::path(cd) / name).string());
    }
    EncodeOptions options = {1, 6};
    if (status == ZTOOL_OK)
        status = CommandPack(options, (fs::path(cd) / "corvex.z").string(), corvexFiles);
    // corvex.z is as new as its newest member, so the same content always
    // gives the same floppy images.
    fs::file_time_type newest = fs::file_time_type::min();
    for (const std::string& file : corvexFiles)
        newest = std::max(newest, fs::last_write_time(file, error));
    if (status == ZTOOL_OK)
        fs::last_write_time(fs::path(cd) / "corvex.z", newest, error);
    if (status == ZTOOL_OK && iso)
        status = MakeCdImage(cd, (fs::path(out) / "velorin.iso").string());
    if (status == ZTOOL_OK && floppy)
        status = LayOutFloppies(cd, out);
    return status;
}
