// File operations a scenario or a test performs between steps (swapping
// floppy folders, removing or protecting files).
#pragma once
#include <string>

// Moves a file or folder; an existing target file is replaced. 1 on success.
int MovePath(const std::string& from, const std::string& to);

// Deletes a file, or a folder with everything in it, read-only entries
// included. 1 on success or when nothing was there.
int DeletePath(const std::string& path);

// Sets the read-only attribute of a file or folder. 1 on success.
int MakeReadOnly(const std::string& path);
