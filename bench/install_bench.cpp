// Installation benchmark, run by hand under Wine; prints figures, judges
// nothing.
//
//   install_bench ROUNDS COPYFROM COPYTO [LABEL SETUP INSTALLDIR]...
//
// For each medium: starts SETUP, walks the wizard with its Next buttons
// (INSTALLDIR typed on the directory page) and times the progress page from
// its appearing to its closing. Then times CopySetupFile against CopyFileA
// on the same files: COPYFROM holds copy01.dat to copy10.dat and copybig.dat,
// COPYTO is a folder of their copies (both end in a backslash).
#include "../../res/resource.h"
#include "copy_file.h"
#include "drive.h"
#include "setup_state.h"
#include "transfer.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const char REGISTRATION_CAPTION[] = "Velorin Registration (demonstration)";
const char* const TEN_FILES[] = {"copy01.dat", "copy02.dat", "copy03.dat", "copy04.dat",
                                 "copy05.dat", "copy06.dat", "copy07.dat", "copy08.dat",
                                 "copy09.dat", "copy10.dat"};
const char* const BIG_FILE[] = {"copybig.dat"};
enum { MAX_ROUNDS = 25 };

double Now()
{
    static LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

int CompareSeconds(const void* a, const void* b)
{
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

// Sorts the times; times[0] is then the best.
double Median(double* times, int count)
{
    qsort(times, count, sizeof *times, CompareSeconds);
    return count % 2 ? times[count / 2] : (times[count / 2 - 1] + times[count / 2]) / 2;
}

// --- The installations ----------------------------------------------------

// Total size of the files in dir (ends in a backslash); deletes them when asked.
double FilesIn(const char* dir, int remove)
{
    char path[MAX_PATH];
    wsprintfA(path, "%s*", dir);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    double bytes = 0;
    for (int more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        bytes += found.nFileSizeLow + 4294967296.0 * found.nFileSizeHigh;
        wsprintfA(path, "%s%s", dir, found.cFileName);
        if (remove)
            DeleteFileA(path);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return bytes;
}

// Seconds the progress page was up, or -1 when a window did not come; in
// *files the seconds until the status line turned to the program group
// (migration, files and registry done).
double TimeInstall(const char* setup, const char* installDir, double* files)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    char command[MAX_PATH];
    lstrcpynA(command, setup, sizeof command);
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    // The welcome, introduction and directory pages, each left with Next,
    // then the progress page.
    static const struct { const char* caption; int control; } pages[] = {
        {"Welcome to Velorin!", IDC_NEXT}, {"Velorin Installation", IDC_CANCEL_SETUP},
        {"Velorin Installation", IDC_DIRECTORY}, {"Velorin Installation", IDC_PROGRESS}};
    HWND page = NULL;
    for (const auto& wanted : pages) {
        page = WaitPage(pi.dwProcessId, wanted.caption, wanted.control, 60000);
        if (!page || wanted.control == IDC_PROGRESS)
            break;
        if (wanted.control == IDC_DIRECTORY)
            SetText(page, IDC_DIRECTORY, installDir);
        Press(page, IDC_NEXT);
    }
    double seconds = -1;
    if (page) {
        double start = Now();
        HWND status = GetDlgItem(page, IDC_STATUS);
        char text[64];
        *files = -1;
        while (IsWindowVisible(page)) {
            if (*files < 0 && GetWindowTextA(status, text, sizeof text) &&
                lstrcmpA(text, "Adding Velorin group...") == 0)
                *files = Now() - start;
            Sleep(1);
        }
        seconds = Now() - start;
    }
    // The registration program that setup starts at the end.
    HWND registration = seconds >= 0 ? WaitPage(0, REGISTRATION_CAPTION, 0, 30000) : NULL;
    if (registration)
        PostMessageA(registration, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return seconds;
}

void BenchInstall(int rounds, const char* label, const char* setup, const char* installDir)
{
    char componentDir[MAX_PATH];
    wsprintfA(componentDir, "%s\\corvex\\", installDir);
    double times[MAX_ROUNDS], files[MAX_ROUNDS], bytes = 0;
    for (int r = 0; r < rounds; r++) {
        FilesIn(componentDir, 1);
        times[r] = TimeInstall(setup, installDir, &files[r]);
        bytes = FilesIn(componentDir, 0);
        if (times[r] < 0) {
            printf("%-14s setup did not get through its pages\n", label);
            return;
        }
    }
    double median = Median(times, rounds), filesMedian = Median(files, rounds);
    printf("%-14s %8.1f MB %8.3f s %8.3f s %8.3f s %8.3f s\n", label, bytes / 1e6, times[0], median,
           filesMedian, median - filesMedian);
}

// --- The copies ------------------------------------------------------------

const char* copyFrom;
const char* copyTo;
int progressPosts;

LRESULT CALLBACK ProgressProc(HWND w, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_SETUP_PROGRESS) {
        progressPosts++;
        return 0;
    }
    return DefWindowProcA(w, message, wp, lp);
}

// As the front end leaves it before the worker starts.
void PrepareSetupState()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProgressProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "InstallBenchProgress";
    RegisterClassA(&windowClass);
    setupState.appInstance = windowClass.hInstance;
    setupState.totalBytes = 1500000;
    setupState.bytesPerPercent = setupState.totalBytes / 100;
    setupState.progressDialog = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0,
                                              HWND_MESSAGE, NULL, windowClass.hInstance, NULL);
    setupState.cancelRequested = 0;
}

// How a job copies: the engine's copy, the system's, or a bare
// ReadFile/WriteFile loop that tells where the difference goes.
enum { BY_ENGINE, BY_COPYFILE, BY_LOOP };

struct CopyJob {
    const char* label;
    int method;
    DWORD chunk;  // BY_LOOP: bytes a read
    int post;     // BY_LOOP: a progress post after each chunk, as AddProgress past 2 %
    const char* const* names;
    int count;
    double seconds;
    int ok;
    int posts;    // progress messages the window took
};

int CopyLoop(const CopyJob* job, const char* from, const char* to)
{
    static char buffer[1 << 20];
    HANDLE source = CreateFileA(from, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    HANDLE target = CreateFileA(to, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD got = 0, put = 0;
    int ok = source != INVALID_HANDLE_VALUE && target != INVALID_HANDLE_VALUE;
    while (ok && ReadFile(source, buffer, job->chunk, &got, NULL) && got) {
        ok = WriteFile(target, buffer, got, &put, NULL) && put == got;
        if (job->post)
            PostMessageA(setupState.progressDialog, WM_SETUP_PROGRESS, 0, 0);
    }
    CloseHandle(source);
    CloseHandle(target);
    return ok;
}

DWORD WINAPI CopyWorker(LPVOID parameter)
{
    CopyJob* job = (CopyJob*)parameter;
    job->ok = 1;
    double start = Now();
    for (int i = 0; i < job->count; i++) {
        char from[MAX_PATH], to[MAX_PATH];
        wsprintfA(from, "%s%s", copyFrom, job->names[i]);
        wsprintfA(to, "%s%s", copyTo, job->names[i]);
        if (job->method == BY_COPYFILE ? !CopyFileA(from, to, FALSE)
            : job->method == BY_LOOP   ? !CopyLoop(job, from, to)
                                       : CopySetupFile(job->names[i], copyFrom, copyTo) != TRANSFER_OK)
            job->ok = 0;
    }
    job->seconds = Now() - start;
    return 0;
}

void TakeMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Runs the job on a worker, as setup does, while this thread takes the
// worker's progress messages. The copies are removed first, untimed.
void RunCopyJob(CopyJob* job)
{
    FilesIn(copyTo, 1);
    setupState.bytesDone = 0;
    setupState.nextPercent = 0;
    progressPosts = 0;
    HANDLE worker = CreateThread(NULL, 0, CopyWorker, job, 0, NULL);
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        TakeMessages();
    TakeMessages();
    CloseHandle(worker);
    job->posts = progressPosts;
}

// Every way of copying the same files, interleaved round by round with the
// first one rotating, so that none always finds another's dirty pages still
// being written back.
void BenchCopy(int rounds, const char* title, const char* const* names, int count)
{
    CopyJob jobs[] = {
        {"CopySetupFile", BY_ENGINE, 0, 0, names, count, 0, 0, 0},
        {"CopyFileA", BY_COPYFILE, 0, 0, names, count, 0, 0, 0},
        {"loop 32000 B, posts", BY_LOOP, 32000, 1, names, count, 0, 0, 0},
        {"loop 32000 B", BY_LOOP, 32000, 0, names, count, 0, 0, 0},
        {"loop 64 KiB", BY_LOOP, 65536, 0, names, count, 0, 0, 0},
        {"loop 1 MiB", BY_LOOP, 1 << 20, 0, names, count, 0, 0, 0}};
    const int jobCount = sizeof jobs / sizeof *jobs;
    double times[jobCount][MAX_ROUNDS], bytes = 0;
    for (int i = 0; i < count; i++) {
        char path[MAX_PATH];
        wsprintfA(path, "%s%s", copyFrom, names[i]);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(path, GetFileExInfoStandard, &data))
            bytes += data.nFileSizeLow;
    }
    for (int r = -1; r < rounds; r++) {  // round -1 is untimed: the sources come into the cache
        for (int k = 0; k < jobCount; k++) {
            CopyJob* job = &jobs[(k + r + jobCount) % jobCount];
            RunCopyJob(job);
            if (!job->ok) {
                printf("%s: a copy by %s failed\n", title, job->label);
                return;
            }
            if (r >= 0)
                times[job - jobs][r] = job->seconds;
        }
    }
    printf("\n%s, %.1f MB: MB/s, best and median of %d rounds; ratio to CopyFileA\n", title,
           bytes / 1e6, rounds);
    double best[jobCount], median[jobCount];
    for (int j = 0; j < jobCount; j++) {
        median[j] = Median(times[j], rounds);
        best[j] = times[j][0];
    }
    for (int j = 0; j < jobCount; j++) {
        printf("  %-20s %8.1f %8.1f   %5.2f %5.2f", jobs[j].label, bytes / 1e6 / best[j],
               bytes / 1e6 / median[j], best[1] / best[j], median[1] / median[j]);
        printf(jobs[j].method == BY_ENGINE ? "   (%d progress posts)\n" : "\n", jobs[j].posts);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 3 ? atoi(argv[1]) : 0;
    if (rounds < 1 || rounds > MAX_ROUNDS || (argc - 4) % 3 != 0) {
        fprintf(stderr, "usage: install_bench ROUNDS COPYFROM COPYTO [LABEL SETUP INSTALLDIR]...\n");
        return 2;
    }
    copyFrom = argv[2];
    copyTo = argv[3];
    PrepareSetupState();
    SetPollInterval(1);  // the progress page is found within a millisecond of its showing

    printf("Installation: the progress page from opening to closing, best and median of %d\n"
           "rounds; the median split where the status line turns to the program group\n", rounds);
    printf("%-14s %11s %10s %10s %10s %10s\n", "medium", "installed", "best", "median",
           "files+reg", "group");
    for (int i = 4; i + 2 < argc; i += 3)
        BenchInstall(rounds, argv[i], argv[i + 1], argv[i + 2]);

    BenchCopy(rounds, "Ten files of 5 MB", TEN_FILES, 10);
    BenchCopy(rounds, "One file of 50 MB", BIG_FILE, 1);
    return 0;
}
