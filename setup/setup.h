// The setup front end: the entry, the wizard pages, the free-space check, the
// progress page and the worker thread. All of it runs on the UI thread except
// InstallThread.
#ifndef VELORIN_SETUP_SETUP_H
#define VELORIN_SETUP_SETUP_H

#include <windows.h>

// The program entry; only the instance is used. Returns 0 in every case.
int WINAPI SetupMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK IntroPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DirectoryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Moves the page to the centre of the primary screen.
void CenterDialog(HWND page);

// 1 when the drive of installDir has room for the installation; 0 when not,
// after telling the user in a message box owned by the page.
int CheckFreeSpace(HWND page);

// The worker: runs the installation and reports its end to the progress page.
DWORD WINAPI InstallThread(LPVOID parameter);

#endif
