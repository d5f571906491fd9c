// Scenario files of the GUI test driver: one command a line, '#' comments,
// strings in double quotes with C escapes.
#pragma once
#include <string>
#include <vector>

struct ScenarioArg {
    int isString;       // 1: text holds the unescaped string; 0: number holds the value
    std::string text;
    long number;
};

struct ScenarioLine {
    int lineNo;         // 1-based line in the file, for error messages
    std::string verb;
    std::vector<ScenarioArg> args;
};

// Parses a whole scenario and checks each command's arguments against the
// command set. 1 on success; 0 with *error = "line N: reason".
int ParseScenario(const std::string& text, std::vector<ScenarioLine>* out, std::string* error);

// Writes s back as a double-quoted string with the escapes the parser reads
// (\r \n \t \" \\; other control bytes as \xHH).
std::string QuoteText(const std::string& s);
