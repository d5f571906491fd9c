// Which directories the migration's clean-up must never empty, whatever an
// earlier installation left in WIN.INI, judged on their texts. Free of
// Windows so that it is unit-tested natively; the clean-up hands it full
// paths as the system made them, and their short forms, and compares the
// folders' identities itself where the system gives them.
#ifndef VELORIN_SYSTEM_DIRECTORY_GUARD_H
#define VELORIN_SYSTEM_DIRECTORY_GUARD_H

#include <stdint.h>

// 1 when dir is no folder of its own to empty: not a full path
// (IsFullPathText), or a drive root or the root of a share.
int IsProtectedDirectory(const char* dir);

// 1 when the folder guarded forbids emptying dir: dir is guarded or contains
// it, or, for a folder guarded whole, lies inside it. Folders are compared
// without regard to case, to "/" against "\", to doubled separators, and to
// dots and blanks at the end of a name, which the file system ignores. An
// empty guarded text guards everything: where that folder is, is not known.
int GuardsDirectory(const char* guarded, int whole, const char* dir);

// Length of the text of the folder that path lies in, the separator kept
// after a root ("c:\a" gives "c:\"); 0 for a root or a text that is not full.
uint32_t ParentFolderLength(const char* path);

#endif
