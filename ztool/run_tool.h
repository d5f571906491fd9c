// Debian's floppy and CD tools (mkfs.fat, mcopy, xorriso), run as child
// processes without a shell, so no file name is ever parsed as a command.
#ifndef VELORIN_TOOLS_ZTOOL_RUN_TOOL_H
#define VELORIN_TOOLS_ZTOOL_RUN_TOOL_H

#include <string>
#include <vector>

// Runs argv[0] (searched on PATH, then in /usr/sbin and /sbin) with its
// output discarded. 1 when it exited 0; otherwise 0 with *error saying
// that it is not installed, or how it failed with the last line it printed.
int RunTool(const std::vector<std::string>& argv, std::string* error);

// Creates a new empty folder for temporary files; 0 on failure.
int MakeTempFolder(std::string* path);

#endif
