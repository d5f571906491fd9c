// Which directories the migration's clean-up must never empty, whatever an
// earlier installation left in WIN.INI. Free of Windows so that it is
// unit-tested natively; the clean-up hands it full paths as the system made
// them, and their short forms.
#ifndef VELORIN_SYSTEM_DIRECTORY_GUARD_H
#define VELORIN_SYSTEM_DIRECTORY_GUARD_H

// 1 when dir must be left alone: it is not a full path of its own
// (IsFullPathText), it is a drive root or the root of a share, or it is one of
// the count guarded folders or contains one. Folders are compared without
// regard to case, to "/" against "\", to doubled separators, and to dots and
// blanks at the end of a name, which the file system ignores. An empty
// guarded text guards everything: where that folder is, is not known.
int IsProtectedDirectory(const char* dir, const char* const* guarded, int count);

#endif
