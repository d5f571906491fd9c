// The plain file copy: one file of the medium placed byte for byte.
#ifndef VELORIN_ENGINE_COPY_FILE_H
#define VELORIN_ENGINE_COPY_FILE_H

// Copies fromDir+name to toDir+name (both directories end in a backslash) in
// chunks of 32000 bytes, counting each chunk with AddProgress and testing
// setupState.cancelRequested before the target is created and before each
// chunk; the copy gets the source's last-write time. Returns a TRANSFER_
// result; failedPath names the source for an unopenable source, the target
// for a target that cannot be created or written. A read that brings fewer
// bytes than asked is a read failure. A fromDir that is no full path reads
// nothing (NO_SOURCE). A cancel, an unreadable source or no memory found
// before the target is created leave an existing target as it was.
int CopySetupFile(const char* name, const char* fromDir, const char* toDir);

#endif
