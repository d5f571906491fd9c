// A small GUI program the equipment tests drive.
//   probe page   a page with an edit field, a progress bar that fills by
//                itself, Next (exit code: length of the field's text, or a box
//                when it is empty) and Cancel (confirmed in a Yes/No box,
//                exit code 3). Escape and the close box are ignored.
//   probe boxes  one box of each kind; the exit code lists the answers.
//   probe wait   shows nothing and waits.
#include <windows.h>
#include <commctrl.h>

namespace {

const UINT_PTR kTimer = 1;

INT_PTR CALLBACK PageProc(HWND w, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(w, 101, "c:\\probe");
        SendDlgItemMessageA(w, 104, PBM_SETSTEP, 5, 0);
        SetTimer(w, kTimer, 30, NULL);
        return TRUE;
    case WM_TIMER:
        if (SendDlgItemMessageA(w, 104, PBM_GETPOS, 0, 0) < 100)
            SendDlgItemMessageA(w, 104, PBM_STEPIT, 0, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wp) == 201) {
            char text[512];
            int n = GetDlgItemTextA(w, 101, text, sizeof text);
            if (n == 0)
                MessageBoxA(w, "The field is empty.", "Probe Page", MB_OK | MB_ICONERROR);
            else
                EndDialog(w, n);
            return TRUE;
        }
        if (LOWORD(wp) == 203) {
            if (MessageBoxA(w, "Quit the probe?", "Probe Page", MB_YESNO | MB_ICONQUESTION) == IDYES)
                EndDialog(w, 3);
            return TRUE;
        }
        return FALSE;  // IDCANCEL included: Escape and the close box do nothing
    }
    return FALSE;
}

int Boxes()
{
    static const struct {
        const char* text;
        UINT type;
    } kBoxes[] = {
        {"Error box.", MB_OK | MB_ICONERROR},
        {"Warning box:\r\nsecond line.", MB_RETRYCANCEL | MB_ICONEXCLAMATION},
        {"Question box?", MB_YESNO | MB_ICONQUESTION},
        {"Information box.", MB_OK | MB_ICONINFORMATION},
        {"Plain box.", MB_OKCANCEL},
    };
    int code = 0;
    for (const auto& b : kBoxes)
        code = code * 10 + MessageBoxA(NULL, b.text, "Probe Box", b.type);
    return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmd, int)
{
    InitCommonControls();
    if (lstrcmpA(cmd, "page") == 0)
        return (int)DialogBoxParamA(inst, MAKEINTRESOURCEA(100), NULL, PageProc, 0);
    if (lstrcmpA(cmd, "boxes") == 0)
        return Boxes();
    if (lstrcmpA(cmd, "wait") == 0) {
        Sleep(INFINITE);
        return 0;
    }
    return 99;
}
