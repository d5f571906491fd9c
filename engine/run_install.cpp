#include "engine.h"
#include "confirm_transfer.h"
#include "copy_file.h"
#include "earlier_install.h"
#include "extract_archive.h"
#include "file_io.h"
#include "migration.h"
#include "progman.h"
#include "registry_settings.h"
#include "setup_state.h"
#include "system_text.h"
#include "transfer.h"

struct SetupFile {
    const char* name;
    int extract;   // unpacked member by member instead of copied as it is
    int optional;  // transferred only when the medium holds it
};

// The medium's files in installation order; on floppies each half is one disk.
static const SetupFile firstDisk[] = {
    { "nsystem.z", 0, 0 },  { "netscape.z", 0, 0 }, { "wsystem.z", 0, 0 },
    { "plugins.z", 0, 0 },  { "javaclss.z", 0, 0 }, { "javabin.z", 0, 0 },
    { "readme.txt", 0, 0 }, { "bookmark.htm", 0, 1 },
};
static const SetupFile secondDisk[] = {
    { "nprogram.z", 0, 0 }, { "corvex.z", 1, 0 }, { "www.z", 0, 1 },
};

// Transfers one file until the prompts let the sequence go on. Returns 0 when
// the sequence has to stop because cancelRequested is set.
static int TransferStep(HWND owner, const SetupFile* file)
{
    int result;
    do {
        result = file->extract
                     ? ExtractArchive(file->name, setupState.sourceDir, setupState.componentDir)
                     : CopySetupFile(file->name, setupState.sourceDir, setupState.componentDir);
    } while (!ConfirmTransfer(owner, result));
    return !setupState.cancelRequested;
}

// The optional files are looked for once, before the first attempt.
static int MediumHolds(const char* name)
{
    char path[SETUP_PATH_SIZE];
    // A path too long to build cannot be opened either: the file is not there.
    return IsSourceFolder(setupState.sourceDir) &&
           JoinPath(path, SETUP_PATH_SIZE, setupState.sourceDir, name) && FileExists(path);
}

static int TransferHalf(HWND owner, const SetupFile* files, int count)
{
    for (int i = 0; i < count; ++i) {
        if (files[i].optional && !MediumHolds(files[i].name))
            continue;
        if (!TransferStep(owner, &files[i]))
            return 0;
    }
    return 1;
}

// componentDir is installDir + "\corvex\", without doubling a trailing
// backslash. Left empty when it would not fit, which every transfer then
// refuses as an unwritable target rather than writing somewhere else.
static void BuildComponentDir(void)
{
    const char* suffix = &COMPONENT_FOLDER[EndsInBackslash(setupState.installDir)];
    JoinPath(setupState.componentDir, SETUP_PATH_SIZE, setupState.installDir, suffix);
}

// MainDir is recorded without a trailing backslash (only one is removed).
static void RecordSettings(void)
{
    char directory[SETUP_PATH_SIZE];
    lstrcpynA(directory, setupState.installDir, SETUP_PATH_SIZE);
    if (EndsInBackslash(directory))
        directory[lstrlenA(directory) - 1] = 0;
    WriteRegistrySettings(directory);
}

// Deleting first replaces a group an earlier installation left. A shell that
// does not answer costs the group, never the installation.
static void AddProgramGroup(void)
{
    ProgmanInit();
    ProgmanDeleteGroup("Velorin");
    ProgmanCreateGroup("Velorin");
    ProgmanAddItem("Registration & Utilities", setupState.componentDir, "corvex.exe",
                   setupState.componentDir, "corvex.exe");
    ProgmanTerm();
}

int RunInstall(HWND owner)
{
    // First, as it may move the installation into the earlier one's directory.
    MigratePreviousInstall(owner);
    BuildComponentDir();
    // Results ignored: a directory that cannot be made shows up as the first
    // target that cannot be created, with its prompt.
    CreateDirectoryA(setupState.installDir, NULL);
    if (setupState.componentDir[0])
        CreateDirectoryA(setupState.componentDir, NULL);

    setupState.diskNumber = 1;
    char drive = setupState.sourceDir[0];
    setupState.floppyInstall = drive == 'a' || drive == 'A' || drive == 'b' || drive == 'B';

    if (!TransferHalf(owner, firstDisk, sizeof firstDisk / sizeof firstDisk[0]))
        return 0;
    setupState.diskNumber = 2;
    if (setupState.floppyInstall)
        MessageBoxA(owner, "Please insert the disk labeled \"Velorin Disk #2\".",
                    SETUP_CAPTION, MB_OK | MB_ICONERROR);
    // A cancel confirmed while the notice was up must not create, and so
    // empty, the first file of disk 2.
    if (setupState.cancelRequested)
        return 0;
    if (!TransferHalf(owner, secondDisk, sizeof secondDisk / sizeof secondDisk[0]))
        return 0;

    RecordSettings();
    SetWindowTextA(setupState.statusText, "Adding Velorin group...");
    AddProgramGroup();
    return 1;
}
