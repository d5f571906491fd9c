// The welcome and introduction pages, and the centring every page uses.
#include "setup.h"
#include "setup_logic.h"
#include "setup_state.h"
#include "../res/resource.h"

void CenterDialog(HWND page)
{
    RECT frame;
    GetWindowRect(page, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    MoveWindow(page, CenteredOrigin(GetSystemMetrics(SM_CXSCREEN), width),
               CenteredOrigin(GetSystemMetrics(SM_CYSCREEN), height), width, height, FALSE);
}

// A bitmap static sizes itself to its picture; failure only loses the picture.
static void AddWelcomePicture(HWND page)
{
    CreateWindowExA(0, "Static", WELCOME_BITMAP_NAME, WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP,
                    12, 12, 0, 0, page, (HMENU)0, setupState.appInstance, NULL);
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        AddWelcomePicture(page);
        CenterDialog(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_NEXT) {
            EndDialog(page, IDC_NEXT);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK IntroPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        CenterDialog(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
        case IDC_CANCEL_SETUP:
            EndDialog(page, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
