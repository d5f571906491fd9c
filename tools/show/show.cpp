// show.exe SHOTDIR PROGRAM: runs the setup program PROGRAM as a user who
// takes every default would and saves each page of the wizard as
// SHOTDIR\<name>.bmp; then waits for the window of the registration program
// that setup starts at the end and prints how that was started. Exit status:
// 0, or 1 when a window did not come.
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

struct Wanted {
    const char* caption;
    int control;  // a control the window has; 0 for any
    HWND found;
};

BOOL CALLBACK Match(HWND w, LPARAM lp)
{
    Wanted* wanted = (Wanted*)lp;
    char caption[128];
    if (IsWindowVisible(w) && GetWindowTextA(w, caption, sizeof caption) &&
        lstrcmpA(caption, wanted->caption) == 0 && (!wanted->control || GetDlgItem(w, wanted->control)))
        wanted->found = w;
    return wanted->found == NULL;
}

HWND WaitWindow(const char* caption, int control, DWORD ms)
{
    Wanted wanted = {caption, control, NULL};
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50)) {
        EnumWindows(Match, (LPARAM)&wanted);
        if (wanted.found)
            return wanted.found;
    }
    return NULL;
}

// The window as the screen shows it, as a top-down 32-bit BMP file.
int SaveWindowBmp(HWND w, const char* path)
{
    // A window that has just appeared may not have painted yet.
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(300);
    RECT r;
    GetWindowRect(w, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {sizeof info, width, -height, 1, 32, BI_RGB};
    DWORD size = (DWORD)width * height * 4;
    BITMAPFILEHEADER file = {0x4D42, sizeof file + sizeof info + size, 0, 0, sizeof file + sizeof info};
    char* pixels = (char*)HeapAlloc(GetProcessHeap(), 0, size);
    int ok = pixels && GetDIBits(memory, bitmap, 0, height, pixels, (BITMAPINFO*)&info, DIB_RGB_COLORS);
    FILE* out = ok ? fopen(path, "wb") : NULL;
    ok = out && fwrite(&file, sizeof file, 1, out) && fwrite(&info, sizeof info, 1, out) &&
         fwrite(pixels, size, 1, out);
    ok = out && fclose(out) == 0 && ok;
    HeapFree(GetProcessHeap(), 0, pixels);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: show SHOTDIR PROGRAM\n");
        return 2;
    }
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, argv[2], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 1;
    static const struct { const char* caption; int control; const char* name; } steps[] = {
        {"Welcome to Velorin!", 201, "welcome"},
        {"Velorin Installation", 203, "intro"},
        {"Velorin Installation", 101, "directory"},
        {"Velorin Installation", 104, "progress"},
        {"Velorin Registration (demonstration)", 0, "registration"}};
    for (const auto& step : steps) {
        HWND w = WaitWindow(step.caption, step.control, 120000);
        char path[MAX_PATH];
        wsprintfA(path, "%s\\%s.bmp", argv[1], step.name);
        if (!w || (step.control && !SaveWindowBmp(w, path))) {
            fprintf(stderr, "show: no %s window\n", step.name);
            return 1;
        }
        if (!step.control) {
            // The registration program's first line: how setup started it.
            char text[1024] = "";
            SendMessageA(GetDlgItem(w, 1), WM_GETTEXT, sizeof text, (LPARAM)text);
            *(strchr(text, '\r') ? strchr(text, '\r') : text + lstrlenA(text)) = 0;
            printf("%s\n", text);
        } else {
            printf("%s: %s\n", step.name, path);
        }
        // Next on the first three pages; the progress page ends by itself.
        if (step.control == 201 || step.control == 203 || step.control == 101) {
            PostMessageA(w, WM_COMMAND, MAKEWPARAM(201, BN_CLICKED), (LPARAM)GetDlgItem(w, 201));
            for (int i = 0; i < 100 && IsWindowVisible(w); i++)
                Sleep(50);
        }
    }
    WaitForSingleObject(pi.hProcess, 60000);
    return 0;
}
