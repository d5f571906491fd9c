// Unpacking a component archive member by member into the component directory.
#ifndef VELORIN_ENGINE_EXTRACT_ARCHIVE_H
#define VELORIN_ENGINE_EXTRACT_ARCHIVE_H

// Unpacks every member of sourceDir+name into componentDir (both end in a
// backslash), each with its recorded last-write time, testing
// setupState.cancelRequested before each member's file is created, so that a
// cancel leaves an earlier file of that name as it was. Returns a TRANSFER_
// result; a failure records the path its row names first as
// setupState.failedPath (none: it is left as it was):
//   OK         every member was placed
//   CANCELLED  a cancel was found before a member's file was created
//   NO_SOURCE  sourceDir: it is no full path, or sourceDir+name does not fit
//   NO_SOURCE  the archive path: not opened, its count unreadable, or a member's start past reach
//   NO_SOURCE  the archive path: an entry is unreadable or names its member unsafely
//   NO_SOURCE  none: a member's stream ran out on a failed or short read of the archive
//   NO_TARGET  componentDir (name when it is empty): it does not end in a backslash
//   NO_TARGET  componentDir: componentDir + a member's name does not fit
//   NO_TARGET  the member path: not created, or its stream not decoded or written whole
//   FATAL      none: no work area could be had; that member's file was not created
int ExtractArchive(const char* name, const char* sourceDir, const char* componentDir);

#endif
