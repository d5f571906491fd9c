// ztool: builds, inspects and checks component archives and single explode
// streams.
//
//   ztool explode IN OUT
//       Decodes one stream. OUT receives everything the decoder wrote, also
//       when the stream ends early. The exit status is the decoder's result:
//       0 done, 1 bad dictionary size, 2 bad literal mode, 3 stream shorter
//       than 5 bytes, 4 input ended before the end-of-stream code.
//   ztool compress [--literal-mode 0|1] [--dict 4|5|6] IN OUT
//       Encodes one stream (defaults: literal mode 1, dictionary 6).
//   ztool pack [--literal-mode 0|1] [--dict 4|5|6] ARCHIVE FILE...
//       Builds an archive. Member names are the files' names, which must be
//       8.3 names; each entry records the file's last-write time.
//   ztool list ARCHIVE
//       One line per member: name, stream size, unpacked size, last-write
//       time (UTC, ISO 8601).
//   ztool extract ARCHIVE DIR
//       Unpacks every member into DIR (created if missing) with its
//       last-write time; of two members with the same name the later wins.
//       Nothing is written outside DIR.
//   ztool media CONTENT OUT [--floppy] [--iso] [--allow-cut]
//       Lays out a distribution medium in OUT/cd, and with the options the
//       floppy folders and images and the CD image.
//   ztool check MEDIUM | DISK1.img DISK2.img
//       Tells whether a medium installs, and what setup.ini gives.
//
// Failures print one line "ztool: FILE: what is wrong" on stderr and exit
// with 64 (bad command line, after the usage text), 65 (damaged archive or
// stream, unsafe or non-8.3 name), 66 (input unreadable), 73 (output not
// creatable) or 74 (write failed); `media` and `check` also with 67 (a
// floppy overflows) and 69 (an image tool is missing or failed).
#include "ztool.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char USAGE[] =
    "usage: ztool explode IN OUT\n"
    "       ztool compress [--literal-mode 0|1] [--dict 4|5|6] IN OUT\n"
    "       ztool pack [--literal-mode 0|1] [--dict 4|5|6] ARCHIVE FILE...\n"
    "       ztool list ARCHIVE\n"
    "       ztool extract ARCHIVE DIR\n"
    "       ztool media CONTENT OUT [--floppy] [--iso] [--allow-cut]\n"
    "       ztool check MEDIUM | DISK1.img DISK2.img\n";

int Usage()
{
    std::fputs(USAGE, stderr);
    return ZTOOL_USAGE;
}

// Takes the encoding options off the front of args; 0 on a bad option.
int ParseEncodeOptions(std::vector<std::string>* args, EncodeOptions* options)
{
    options->literalMode = 1;
    options->dictionaryBits = 6;
    while (!args->empty() && (*args)[0].compare(0, 2, "--") == 0) {
        if ((*args)[0] == "--") {
            args->erase(args->begin());
            break;
        }
        if (args->size() < 2)
            return 0;
        const std::string& name = (*args)[0];
        const std::string& value = (*args)[1];
        if (name == "--literal-mode" && (value == "0" || value == "1"))
            options->literalMode = value[0] - '0';
        else if (name == "--dict" && (value == "4" || value == "5" || value == "6"))
            options->dictionaryBits = value[0] - '0';
        else
            return 0;
        args->erase(args->begin(), args->begin() + 2);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        std::fputs(USAGE, stdout);
        return ZTOOL_OK;
    }
    if (command == "explode" && args.size() == 2)
        return CommandExplode(args[0], args[1]);
    if (command == "list" && args.size() == 1)
        return CommandList(args[0]);
    if (command == "extract" && args.size() == 2)
        return CommandExtract(args[0], args[1]);
    if (command == "check" && (args.size() == 1 || args.size() == 2))
        return CommandCheck(args);
    if (command == "media") {
        int floppy = 0, iso = 0, allowCut = 0;
        std::vector<std::string> folders;
        for (const std::string& arg : args) {
            int* flag = arg == "--floppy" ? &floppy : arg == "--iso" ? &iso
                      : arg == "--allow-cut" ? &allowCut : nullptr;
            if (flag)
                *flag = 1;
            else if (arg.compare(0, 2, "--") == 0)
                return Usage();
            else
                folders.push_back(arg);
        }
        if (folders.size() == 2)
            return CommandMedia(folders[0], folders[1], floppy, iso, allowCut);
    }
    if (command == "compress" || command == "pack") {
        EncodeOptions options;
        if (!ParseEncodeOptions(&args, &options))
            return Usage();
        if (command == "compress" && args.size() == 2)
            return CommandCompress(options, args[0], args[1]);
        if (command == "pack" && args.size() >= 2)
            return CommandPack(options, args[0],
                               std::vector<std::string>(args.begin() + 1, args.end()));
    }
    return Usage();
}
