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

#endif
