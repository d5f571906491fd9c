// The clean-up of an earlier installation's directories.
#ifndef VELORIN_SYSTEM_REMOVE_DIRECTORY_FILES_H
#define VELORIN_SYSTEM_REMOVE_DIRECTORY_FILES_H

// Deletes the files directly inside dir (names beginning with "." stay, sub-
// directories are not entered), then removes dir if that left it empty.
// A drive or share root and the Windows and system directories are left
// alone. Failures are ignored; always 1.
int RemoveDirectoryFiles(const char* dir);

#endif
