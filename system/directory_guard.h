// Which directories the migration's clean-up must never empty, whatever an
// earlier installation left in WIN.INI. Free of Windows so that it is
// unit-tested natively.
#ifndef VELORIN_SYSTEM_DIRECTORY_GUARD_H
#define VELORIN_SYSTEM_DIRECTORY_GUARD_H

// 1 when dir is empty, a drive root ("c:", "c:\"), the root of the current
// drive ("\"), the root of a network share ("\\server\share"), or the same
// directory as windowsDir or systemDir. Case and trailing backslashes (or
// slashes) do not matter. Otherwise 0.
int IsProtectedDirectory(const char* dir, const char* windowsDir, const char* systemDir);

#endif
