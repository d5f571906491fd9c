// Results of one file transfer (plain copy or archive extraction), which the
// retry prompts turn into questions for the user.
#ifndef VELORIN_ENGINE_TRANSFER_H
#define VELORIN_ENGINE_TRANSFER_H

enum {
    TRANSFER_OK = 1,          // the file, or every archive member, was placed
    TRANSFER_FATAL = 0,       // a work buffer could not be allocated
    TRANSFER_NO_SOURCE = -1,  // source missing or unreadable
    TRANSFER_NO_TARGET = -2,  // target not creatable or writable, or a member not unpackable
    TRANSFER_CANCELLED = -3   // cancelRequested was found set
};

// Records path as setupState.failedPath and returns result: every failure
// that names a file goes through here.
int TransferFailed(int result, const char* path);

// 1 when dir can be read from as the medium: a full path of its own, ending
// in a backslash. Anything else would read from the current folder.
int IsSourceFolder(const char* dir);

#endif
