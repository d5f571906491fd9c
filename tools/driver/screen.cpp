#include "screen.h"

#include <cstdio>

#include "target_windows.h"

namespace {

// Reads a 32-bit top-down DIB of w x h from a memory DC's bitmap.
int ReadBits(HDC dc, HBITMAP bmp, int w, int h, std::vector<uint32_t>* px)
{
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    px->assign((size_t)w * h, 0);
    if (GetDIBits(dc, bmp, 0, h, px->data(), &bi, DIB_RGB_COLORS) != h)
        return 0;
    for (uint32_t& p : *px)
        p &= 0xFFFFFF;
    return 1;
}

// Draws stock icon id on a w x h field of colour bg, as the icon static
// paints it, and returns the pixels.
int RenderStockIcon(LPCSTR id, int w, int h, uint32_t bg, std::vector<uint32_t>* px)
{
    HICON icon = LoadIconA(NULL, id);
    if (!icon)
        return 0;
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH brush = CreateSolidBrush(RGB((bg >> 16) & 255, (bg >> 8) & 255, bg & 255));
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    DrawIconEx(mem, 0, 0, icon, w, h, 0, NULL, DI_NORMAL);
    SelectObject(mem, old);
    int ok = ReadBits(mem, bmp, w, h, px);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return ok;
}

}  // namespace

int CaptureScreen(const RECT& r, std::vector<uint32_t>* px)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return 0;
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BOOL blt = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    int ok = blt && ReadBits(mem, bmp, w, h, px);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return ok;
}

int SaveWindowBmp(HWND w, const std::string& path)
{
    RECT r;
    if (!GetWindowRect(w, &r))
        return 0;
    // Bring it above anything that may cover it (an explorer window, say).
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(100);
    std::vector<uint32_t> px;
    if (!CaptureScreen(r, &px))
        return 0;
    int width = r.right - r.left, height = r.bottom - r.top;
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    ZeroMemory(&fh, sizeof fh);
    ZeroMemory(&ih, sizeof ih);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + (DWORD)stride * height;
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;  // bottom-up, the common form
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = (DWORD)stride * height;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    int ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&ih, sizeof ih, 1, f) == 1;
    std::vector<unsigned char> row(stride, 0);
    for (int y = height - 1; ok && y >= 0; y--) {
        for (int x = 0; x < width; x++) {
            uint32_t p = px[(size_t)y * width + x];
            row[x * 3 + 0] = p & 255;
            row[x * 3 + 1] = (p >> 8) & 255;
            row[x * 3 + 2] = (p >> 16) & 255;
        }
        ok = fwrite(row.data(), 1, stride, f) == (size_t)stride;
    }
    return fclose(f) == 0 && ok;
}

std::string MessageBoxIconKind(HWND box, DWORD waitMs)
{
    HWND icon = MessageBoxIconControl(box);
    // An icon handle means nothing in another process, but whether there is
    // one does: a box without an icon has none set (or a hidden control).
    DWORD_PTR handle = 0;
    if (!icon || !IsWindowVisible(icon) ||
        (SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &handle) && !handle))
        return "none";
    struct Stock {
        LPCSTR id;
        const char* name;
    };
    static const Stock kStock[] = {
        {IDI_HAND, "error"},
        {IDI_EXCLAMATION, "warning"},
        {IDI_QUESTION, "question"},
        {IDI_ASTERISK, "information"},
    };
    DWORD start = GetTickCount();
    for (;;) {
        RECT rc;
        GetClientRect(icon, &rc);
        POINT origin = {0, 0};
        ClientToScreen(icon, &origin);
        RECT onScreen = {origin.x, origin.y, origin.x + rc.right, origin.y + rc.bottom};
        // The background is sampled just left of the icon, inside the box:
        // the static paints the dialog's own background there.
        RECT probe = {origin.x - 1, origin.y, origin.x, origin.y + 1};
        std::vector<uint32_t> shown, bgPixel, drawn;
        SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (CaptureScreen(onScreen, &shown) && CaptureScreen(probe, &bgPixel)) {
            for (const Stock& s : kStock) {
                if (RenderStockIcon(s.id, rc.right, rc.bottom, bgPixel[0], &drawn) &&
                    drawn == shown)
                    return s.name;
            }
        }
        if (GetTickCount() - start >= waitMs)
            return "unknown";
        Sleep(50);
    }
}
