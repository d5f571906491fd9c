// Plays a parsed scenario against the windows of one running process and
// writes the transcript.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scenario.h"

struct Transcript {
    FILE* file;                      // may be NULL; flushed after every line
    std::vector<std::string> lines;
};

// Appends one line to the transcript.
void AddTranscriptLine(Transcript* t, const std::string& line);

// Plays lines against the process (handle with SYNCHRONIZE and
// PROCESS_QUERY_INFORMATION rights). Ends with the target's `exit N` line even
// when the scenario has no `exit`. 1 when played to the end; 0 after a step
// failed, once the FAIL line and the target's visible windows are written.
// The caller terminates the target on 0.
int PlayScenario(const std::vector<ScenarioLine>& lines, HANDLE process, DWORD pid,
                 Transcript* t);

// The visible top-level windows of pid as `window "CAPTION" CLASS` lines.
void ListWindows(DWORD pid, Transcript* t);
