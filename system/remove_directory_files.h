// The clean-up of an earlier installation's directories.
#ifndef VELORIN_SYSTEM_REMOVE_DIRECTORY_FILES_H
#define VELORIN_SYSTEM_REMOVE_DIRECTORY_FILES_H

// Deletes the files directly inside dir (names beginning with "." stay, sub-
// directories are not entered), then removes dir if that left it empty.
// A text that is not a full path of its own, a drive or share root, the
// Windows and system directories, the folder setup runs from, and any folder
// holding one of them are left alone, in any spelling (IsProtectedDirectory
// on the full path and on its short form). Failures are ignored; always 1.
int RemoveDirectoryFiles(const char* dir);

#endif
