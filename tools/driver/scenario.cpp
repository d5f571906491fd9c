#include "scenario.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// Argument shapes: 's' string, 'n' number, 'N' optional trailing number.
struct CommandShape {
    const char* verb;
    const char* args;
};

const CommandShape kCommands[] = {
    {"page", "sN"},     {"text", "n"},       {"focus", ""},       {"set", "ns"},
    {"type", "ns"},     {"press", "n"},      {"escape", ""},      {"close", ""},
    {"box", ""},        {"answer", "n"},     {"nobox", "n"},      {"progress", ""},
    {"waitprogress", "n"}, {"gone", ""},     {"screenshot", "s"}, {"sleep", "n"},
    {"move", "ss"},     {"delete", "s"},     {"readonly", "s"},   {"exit", ""},
    {"timeout", "n"},
};

int ReadString(const std::string& line, size_t* pos, std::string* out, std::string* why)
{
    size_t i = *pos + 1;  // past the opening quote
    out->clear();
    while (i < line.size() && line[i] != '"') {
        char c = line[i++];
        if (c != '\\') {
            out->push_back(c);
            continue;
        }
        if (i >= line.size())
            break;
        char e = line[i++];
        switch (e) {
        case 'r': out->push_back('\r'); break;
        case 'n': out->push_back('\n'); break;
        case 't': out->push_back('\t'); break;
        case '"': out->push_back('"'); break;
        case '\\': out->push_back('\\'); break;
        case 'x': {
            int v = 0, digits = 0;
            while (i < line.size() && digits < 2 && isxdigit((unsigned char)line[i])) {
                char h = line[i++];
                v = v * 16 + (isdigit((unsigned char)h) ? h - '0' : (tolower(h) - 'a' + 10));
                digits++;
            }
            if (!digits) {
                *why = "bad \\x escape";
                return 0;
            }
            out->push_back((char)v);
            break;
        }
        default:
            *why = std::string("unknown escape \\") + e;
            return 0;
        }
    }
    if (i >= line.size()) {
        *why = "unterminated string";
        return 0;
    }
    *pos = i + 1;
    return 1;
}

int Tokenize(const std::string& line, std::string* verb, std::vector<ScenarioArg>* args,
             std::string* why)
{
    size_t i = 0;
    verb->clear();
    args->clear();
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            i++;
        if (i >= line.size())
            break;
        if (line[i] == '#' && !verb->empty())
            break;  // trailing comment
        ScenarioArg a;
        a.isString = 0;
        a.number = 0;
        if (line[i] == '"') {
            if (verb->empty()) {
                *why = "a line starts with a command";
                return 0;
            }
            a.isString = 1;
            if (!ReadString(line, &i, &a.text, why))
                return 0;
            if (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                *why = "text after a closing quote";
                return 0;
            }
            args->push_back(a);
            continue;
        }
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            i++;
        std::string word = line.substr(start, i - start);
        if (verb->empty()) {
            *verb = word;
            continue;
        }
        char* end = nullptr;
        a.number = strtol(word.c_str(), &end, 0);
        if (word.empty() || *end != '\0') {
            *why = "not a number: " + word;
            return 0;
        }
        a.text = word;
        args->push_back(a);
    }
    return 1;
}

int CheckShape(const std::string& verb, const std::vector<ScenarioArg>& args, std::string* why)
{
    for (const CommandShape& c : kCommands) {
        if (verb != c.verb)
            continue;
        size_t want = strlen(c.args);
        size_t optional = (want && c.args[want - 1] == 'N') ? 1 : 0;
        if (args.size() > want || args.size() < want - optional) {
            *why = "wrong number of arguments for " + verb;
            return 0;
        }
        for (size_t k = 0; k < args.size(); k++) {
            int wantString = c.args[k] == 's';
            if (args[k].isString != wantString) {
                *why = std::string("argument ") + std::to_string(k + 1) + " of " + verb +
                       (wantString ? " must be a quoted string" : " must be a number");
                return 0;
            }
        }
        return 1;
    }
    *why = "unknown command " + verb;
    return 0;
}

}  // namespace

int ParseScenario(const std::string& text, std::vector<ScenarioLine>* out, std::string* error)
{
    out->clear();
    size_t pos = 0;
    int lineNo = 0;
    while (pos <= text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos)
            eol = text.size();
        std::string line = text.substr(pos, eol - pos);
        pos = eol + 1;
        lineNo++;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        ScenarioLine s;
        s.lineNo = lineNo;
        std::string why;
        if (!Tokenize(line, &s.verb, &s.args, &why) || !CheckShape(s.verb, s.args, &why)) {
            *error = "line " + std::to_string(lineNo) + ": " + why;
            return 0;
        }
        out->push_back(s);
    }
    return 1;
}

std::string QuoteText(const std::string& s)
{
    std::string q = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '\r': q += "\\r"; break;
        case '\n': q += "\\n"; break;
        case '\t': q += "\\t"; break;
        case '"': q += "\\\""; break;
        case '\\': q += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                static const char hex[] = "0123456789abcdef";
                q += "\\x";
                q += hex[c >> 4];
                q += hex[c & 15];
            } else {
                q += (char)c;
            }
        }
    }
    q += '"';
    return q;
}
