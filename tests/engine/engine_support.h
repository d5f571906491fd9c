// What the in-process engine tests share: a fresh SetupState with a hidden
// window of the test thread standing in for the progress page, counting of
// the progress messages it receives, and the allocation seam.
#ifndef VELORIN_TESTS_ENGINE_ENGINE_SUPPORT_H
#define VELORIN_TESTS_ENGINE_ENGINE_SUPPORT_H

#include <windows.h>
#include <string>

// Clears setupState and sets the fields the engine reads, as the front end
// would: the shipped 1,500,000-byte total, the directories, a hidden page
// window and a status control (text "Installing Velorin...").
void PrepareSetupState(const std::string& sourceDir, const std::string& installDir);
// Removes and counts the WM_SETUP_PROGRESS messages posted to the page window.
int TakeProgressPosts();
std::string StatusText();

// Allocations of exactly this size fail from now on (0: none fail). The
// engine's allocation procedures are replaced in the test program for this.
void FailAllocationsOfSize(DWORD size);
int FailedAllocations();

#endif
