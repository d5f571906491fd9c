// `check`: tells whether a medium installs, as the setup program would read
// it. Images are unpacked into a temporary folder first.
#include "ztool.h"

#include "archive_reading.h"
#include "medium_layout.h"
#include "run_tool.h"
#include "setup_ini.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

typedef std::map<std::string, std::string> Folder;

int CountBytes(unsigned char*, uint32_t* size, void* context)
{
    *(uint64_t*)context += *size;
    return 1;
}

int CheckCorvex(const std::string& path)
{
    LoadedArchive archive;
    int status = LoadArchive(path, &archive);
    if (status != ZTOOL_OK)
        return status;
    int hasProgram = 0;
    std::printf("corvex.z members:\n");
    for (const ArchiveEntry& entry : archive.entries) {
        uint64_t size = 0;
        int result = ExplodeMember(archive, entry, CountBytes, &size);
        if (result != EXPLODE_OK)
            return Fail(ZTOOL_DAMAGED, path,
                        std::string("member ") + entry.name + ": " + ExplodeResultText(result));
        std::printf("  %-12s %10llu bytes\n", entry.name, (unsigned long long)size);
        hasProgram |= LowerCase(entry.name) == "corvex.exe";
    }
    if (!hasProgram)
        return Fail(ZTOOL_DAMAGED, path, "no member corvex.exe, which setup starts at the end");
    return ZTOOL_OK;
}

int CheckSetupIni(const std::string& path)
{
    SetupIni ini;
    int status = LoadSetupIni(path, &ini);
    if (status != ZTOOL_OK)
        return status;
    std::printf("setup.ini [Velorin]:\n");
    for (std::size_t i = 0; i < ini.names.size(); ++i)
        std::printf("  %s=%s\n", ini.names[i].c_str(), ini.values[i].c_str());
    for (int i = 0; i < SETUP_INI_KEY_COUNT; ++i) {
        std::size_t length = SetupIniValue(ini, SETUP_INI_KEYS[i].name).size();
        if (SETUP_INI_KEYS[i].readLimit && length >= SETUP_INI_KEYS[i].readLimit)
            std::printf("note: %s is cut to its first %u characters\n", SETUP_INI_KEYS[i].name,
                        SETUP_INI_KEYS[i].readLimit - 1);
    }
    std::printf("registry HKLM\\Software\\OrvantaNetwork\\Velorin (DIR: the installation "
                "directory):\n");
    for (const RegistryValue& value : PreviewRegistry(ini))
        std::printf("  %-12s %-9s %s\n", value.name.c_str(), value.type.c_str(),
                    value.data.c_str());
    return ZTOOL_OK;
}

// The medium as one folder per disk: a CD folder, or disk 1 and disk 2.
int CheckDisks(const std::vector<std::string>& disks)
{
    std::vector<Folder> found(disks.size());
    for (std::size_t d = 0; d < disks.size(); ++d)
        if (!ListFolder(disks[d], &found[d]))
            return Fail(ZTOOL_NO_INPUT, disks[d], "cannot list the folder");
    std::vector<std::vector<uint64_t>> sizes(disks.size());
    std::string corvex, ini;
    for (int i = 0; i < MEDIUM_FILE_COUNT; ++i) {
        const MediumFile& file = MEDIUM_FILES[i];
        std::size_t disk = disks.size() == 1 ? 0 : file.disk - 1;
        auto hit = found[disk].find(file.name);
        std::string label = disks.size() == 1 ? "" : " (disk " + std::to_string(disk + 1) + ")";
        std::string elsewhere = disks.size() == 2 && found[1 - disk].count(file.name)
                                    ? ": it lies on disk " + std::to_string(2 - disk) +
                                          ", where setup never looks for it"
                                    : "";
        if (hit == found[disk].end() && file.required)
            return Fail(ZTOOL_NO_INPUT, (fs::path(disks[disk]) / file.name).string(),
                        "required file is missing" + elsewhere);
        if (hit == found[disk].end()) {
            std::printf("optional: %s absent%s%s\n", file.name, label.c_str(), elsewhere.c_str());
            continue;
        }
        std::error_code error;
        sizes[disk].push_back(fs::file_size(hit->second, error));
        std::printf("%s: %s%s\n", file.required ? "present" : "optional", file.name,
                    label.c_str());
        if (file.name == std::string("corvex.z"))
            corvex = hit->second;
        if (file.name == std::string("setup.ini"))
            ini = hit->second;
    }
    for (std::size_t d = 0; d < disks.size() && disks.size() == 2; ++d) {
        uint64_t used = FloppyBytesUsed(sizes[d]);
        if (used > FLOPPY_CAPACITY)
            return Fail(ZTOOL_DISK_FULL, disks[d], "does not fit on a 1,457,664-byte floppy: " +
                        std::to_string(used - FLOPPY_CAPACITY) + " bytes over");
    }
    int status = CheckCorvex(corvex);
    if (status == ZTOOL_OK && !ini.empty())
        status = CheckSetupIni(ini);
    if (status == ZTOOL_OK)
        std::printf("the medium installs\n");
    return status;
}

int Unpack(const std::string& image, const std::string& folder)
{
    std::string error;
    std::error_code code;
    fs::create_directories(folder, code);
    std::vector<std::string> argv =
        LowerCase(fs::path(image).extension().string()) == ".iso"
            ? std::vector<std::string>{"xorriso", "-osirrox", "on", "-indev", image,
                                       "-extract", "/", folder}
            : std::vector<std::string>{"mcopy", "-s", "-m", "-n", "-i", image, "::/*", folder};
    return RunTool(argv, &error) ? ZTOOL_OK : Fail(ZTOOL_NO_TOOL, image, error);
}

} // namespace

int CommandCheck(const std::vector<std::string>& media)
{
    std::error_code error;
    std::vector<std::string> disks;
    if (media.size() == 1 && fs::is_directory(media[0], error)) {
        fs::path base(media[0]);
        if (fs::is_directory(base / "disk1", error) && fs::is_directory(base / "disk2", error))
            disks = {(base / "disk1").string(), (base / "disk2").string()};
        else
            disks = {media[0]};
        return CheckDisks(disks);
    }
    for (const std::string& image : media)
        if (!fs::is_regular_file(image, error))
            return Fail(ZTOOL_NO_INPUT, image, "no such folder or image");
    int isIso = LowerCase(fs::path(media[0]).extension().string()) == ".iso";
    if (media.size() != (isIso ? 1u : 2u))
        return Fail(ZTOOL_USAGE, media[0], isIso ? "a CD image stands alone"
                                                 : "a floppy medium is two images: give both");
    std::string temp;
    if (!MakeTempFolder(&temp))
        return Fail(ZTOOL_NO_OUTPUT, "temporary folder", "cannot create it");
    int status = ZTOOL_OK;
    for (std::size_t i = 0; i < media.size() && status == ZTOOL_OK; ++i) {
        disks.push_back((fs::path(temp) / ("disk" + std::to_string(i + 1))).string());
        status = Unpack(media[i], disks.back());
    }
    if (status == ZTOOL_OK)
        status = CheckDisks(disks);
    fs::remove_all(temp, error);
    return status;
}
