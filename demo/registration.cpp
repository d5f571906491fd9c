// Demonstration registration program. Setup starts it as corvex.exe with the argument "main"; it
// shows one window with its command line, the values under HKLM\Software\OrvantaNetwork\Velorin
// (name, type, value) and the files of its own folder (name, size), so the hand-off can be seen.
#include <windows.h>

namespace {

const int TEXT_SIZE = 65536;
char* text;
int used;

// Appends formatted text; whatever does not fit is left out.
void Add(const char* format, ...)
{
    char line[1100];
    va_list args;
    va_start(args, format);
    int n = wvsprintfA(line, format, args);
    va_end(args);
    if (n > 0 && used + n < TEXT_SIZE) {
        lstrcpyA(text + used, line);
        used += n;
    }
}

void AddRegistryValues()
{
    Add("HKLM\\Software\\OrvantaNetwork\\Velorin\r\n");
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin", 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        Add("  (no such key)\r\n");
        return;
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof(name), type = 0, dataSize = sizeof(data) - 1;
        LONG result = RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS) {
            Add("  (value %lu cannot be read)\r\n", i);
            continue;
        }
        data[dataSize] = 0;  // a string stored without its zero
        if (type == REG_DWORD && dataSize == 4)
            Add("  %-14s REG_DWORD %lu\r\n", name, *(DWORD*)data);
        else if (type == REG_SZ || type == REG_EXPAND_SZ)
            Add("  %-14s REG_SZ    %s\r\n", name, (char*)data);
        else
            Add("  %-14s type %lu, %lu bytes\r\n", name, type, dataSize);
    }
    RegCloseKey(key);
}

void AddOwnFolder()
{
    char pattern[MAX_PATH + 4];
    DWORD length = GetModuleFileNameA(NULL, pattern, MAX_PATH);
    while (length > 0 && pattern[length - 1] != '\\')
        --length;
    pattern[length] = 0;
    Add("\r\n%s\r\n", pattern);
    lstrcpyA(pattern + length, "*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            Add("  %-14s %10lu bytes\r\n", found.cFileName, found.nFileSizeLow);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE)
        MoveWindow(GetDlgItem(window, 1), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    text = (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, TEXT_SIZE);
    if (!text)
        return 1;
    Add("Started as: %s\r\n\r\n", GetCommandLineA());
    AddRegistryValues();
    AddOwnFolder();

    WNDCLASSA windowClass = {0, WindowProc, 0, 0, instance, LoadIconA(NULL, IDI_APPLICATION),
                             LoadCursorA(NULL, IDC_ARROW), NULL, NULL, "VelorinRegistrationDemo"};
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName,
                                  "Velorin Registration (demonstration)", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, NULL, NULL, instance,
                                  NULL);
    RECT area;
    GetClientRect(window, &area);
    HWND edit = CreateWindowExA(0, "Edit", text,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                    ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                0, 0, area.right, area.bottom, window, (HMENU)1, instance, NULL);
    SendMessageA(edit, WM_SETFONT, (WPARAM)GetStockObject(ANSI_FIXED_FONT), 0);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
