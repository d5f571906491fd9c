#include "install_fixtures.h"

#include <windows.h>

#include "encoder.h"
#include "engine_alloc_hook.h"
#include "harness.h"
#include "progman_service.h"
#include "setup_state.h"

std::string LiteralStream(const std::string& data, bool withEnd) {
    std::string s("\x00\x04", 2);  // plain literals, 1024-byte dictionary
    uint32_t bits = 0, count = 0;
    auto put = [&](uint32_t value, uint32_t n) {  // low bit first
        for (bits |= value << count, count += n; count >= 8; bits >>= 8, count -= 8)
            s += (char)bits;
    };
    for (unsigned char c : data) put((uint32_t)c << 1, 9);  // flag 0, then the byte
    if (withEnd) put(1 | 255u << 8, 16);  // flag 1, length code 15 (seven 0 bits), extra bits 255
    put(0, 7);                            // out with the last part byte
    s.resize(s.size() < 5 ? 5 : s.size(), '\0');
    return s;
}

std::string EncodedStream(const std::string& data, int literalMode, int dictionaryBits) {
    std::vector<unsigned char> out;
    EncodeStream((const unsigned char*)data.data(), data.size(), literalMode, dictionaryBits, &out);
    return std::string(out.begin(), out.end());
}

static std::string Le32(uint32_t v) {
    return { (char)v, (char)(v >> 8), (char)(v >> 16), (char)(v >> 24) };
}
std::string BuildArchive(const std::vector<Member>& members) {
    std::string directory = Le32((uint32_t)members.size()), data;
    for (const Member& m : members) {
        uint32_t offset = 4 + 29 * (uint32_t)members.size() + (uint32_t)data.size();
        directory += (m.name + std::string(13, '\0')).substr(0, 13) +
                     Le32((uint32_t)m.lastWriteTime) + Le32((uint32_t)(m.lastWriteTime >> 32)) +
                     Le32(offset) + Le32(offset + (uint32_t)m.stream.size());
        data += m.stream;
    }
    return directory + data;
}

std::string NoiseBytes(size_t size, unsigned seed) {
    std::string s(size, '\0');
    uint32_t x = seed * 2654435761u + 12345u;
    for (char& c : s) c = (char)((x = x * 1103515245u + 12345u) >> 23);
    return s;
}

std::string GetFile(const std::string& path) {
    return PathExists(path) ? ReadFileBytes(path) : "<missing>";
}
uint64_t LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (uint64_t)data.ftLastWriteTime.dwHighDateTime << 32 | data.ftLastWriteTime.dwLowDateTime;
}

std::vector<MediumFile> StandardMedium(bool withOptional, const std::vector<Member>& corvex) {
    std::vector<MediumFile> files = { { "nsystem.z", NoiseBytes(96000, 1), 1 },
        { "netscape.z", NoiseBytes(100001, 2), 1 }, { "wsystem.z", NoiseBytes(32000, 3), 1 },
        { "plugins.z", NoiseBytes(32001, 4), 1 }, { "javaclss.z", NoiseBytes(250000, 5), 1 },
        { "javabin.z", "", 1 }, { "readme.txt", "Velorin\r\n", 1 },
        { "bookmark.htm", "<html></html>", 1 }, { "nprogram.z", NoiseBytes(70000, 7), 2 },
        { "corvex.z", BuildArchive(corvex), 2 }, { "www.z", NoiseBytes(5000, 8), 2 } };
    if (!withOptional) files.erase(files.erase(files.begin() + 10) - 3);  // www.z, bookmark.htm
    return files;
}

void FitToTotal(std::vector<MediumFile>* files, const std::vector<Member>& corvex, uint32_t total) {
    for (const Member& m : corvex) total -= (uint32_t)m.stream.size();
    for (const MediumFile& f : *files)
        total -= f.name == "corvex.z" || f.name == "javaclss.z" ? 0 : (uint32_t)f.data.size();
    for (MediumFile& f : *files)
        if (f.name == "javaclss.z") f.data = NoiseBytes(total, 5);
}

bool WriteMedium(const std::string& dir, const std::vector<MediumFile>& files, int disk) {
    // A time not kept shows where times are compared.
    FILETIME old = { (DWORD)OLD_TIME, (DWORD)(OLD_TIME >> 32) };
    for (const MediumFile& f : files)
        if ((!disk || f.disk == disk) && !WriteFileBytes(dir + f.name, f.data, &old)) return false;
    return true;
}

static uint32_t hookedSize;
static int hookedAction;

static void* HookedAlloc(DWORD size) {
    if (size == hookedSize && hookedAction == ALLOC_FAIL) return NULL;
    setupState.cancelRequested |= size == hookedSize;
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void OnAllocation(uint32_t size, int action) {
    hookedSize = size, hookedAction = action;
    engineAllocHook = HookedAlloc;
}

void PrepareSetupState(const std::string& sourceDir, const std::string& installDir) {
    // Message-only: a DDE connect waits on every top-level window that does not pump.
    static HWND page = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, 0, 0, 0);
    static HWND status = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, 0, 0, 0);
    ZeroMemory(&setupState, sizeof setupState);  // the counters at 0, 15000 bytes a percent
    lstrcpynA(setupState.sourceDir, sourceDir.c_str(), SETUP_PATH_SIZE);
    lstrcpynA(setupState.installDir, installDir.c_str(), SETUP_PATH_SIZE);
    setupState.bytesPerPercent = 15000;
    setupState.progressDialog = page;
    setupState.statusText = status;
    SetWindowTextA(status, "Installing Velorin...");
    TakeProgressPosts();
    OnAllocation(0, ALLOC_FAIL);
    progmanService = TEST_PROGMAN_SERVICE;
}

std::string Prompt(const std::string& text) {
    return "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel " + Quote(text);
}

int TakeProgressPosts() {
    MSG msg;
    int n = 0;
    for (; PeekMessageA(
             &msg, setupState.progressDialog, WM_SETUP_PROGRESS, WM_SETUP_PROGRESS, PM_REMOVE);
         ++n) {}
    return n;
}
