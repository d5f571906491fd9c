// The clean-up of an earlier installation's directories.
#ifndef VELORIN_SYSTEM_REMOVE_DIRECTORY_FILES_H
#define VELORIN_SYSTEM_REMOVE_DIRECTORY_FILES_H

// Deletes the files directly inside dir (names beginning with "." stay, sub-
// directories are not entered), then removes dir if that left it empty.
// Left alone, in any spelling and by any other name of the same folder:
// a text that is not a full path of its own, a drive or share root; a folder
// that is, holds or lies inside the Windows or system directory or the folder
// setup runs from; a folder that is or holds one of the user's shell folders
// or the program files folders the registry names. Where a folder's identity
// or a registry value cannot be read, nothing is deleted. Failures are
// ignored; always 1.
int RemoveDirectoryFiles(const char* dir);

#endif
