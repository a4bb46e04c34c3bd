// The Windows entry of tessaro-dump. The command line is read as wide characters and
// handed on in UTF-8, so that a table named "Müller.dbf" (or "Łódź.dbf") is found whatever
// the ANSI code page; standard output and standard error are binary, so that the bytes are
// those of the other systems: LF in the tab listing, CR LF in CSV, memo bytes untouched.

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fileio/win32/WideNames.h"
#include "tools/DumpMain.h"

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(tessaro::os::Utf8FromWide(argv[i]));
    }
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    return tessaro::RunDump(argc, pointers.data());
}
