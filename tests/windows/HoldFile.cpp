// tessaro-hold-file: holds a file open with share mode 0, as another Windows program that
// has a table open does, so that tests and scripts can show what Tessaro does meanwhile.
//   tessaro-hold-file PATH [SECONDS]
// Writes "L" to standard output once it holds the file ("F" and exit code 1 when it cannot
// open it), then holds it for SECONDS (a decimal number), or without SECONDS until its
// standard input ends.

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("Aufruf: tessaro-hold-file DATEI [SEKUNDEN]\n", stderr);
        return 2;
    }
    const HANDLE file = ::CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool holding = file != INVALID_HANDLE_VALUE;
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), holding ? "L" : "F", 1, &written, nullptr);
    if (!holding) {
        return 1;
    }
    if (argc == 3) {
        const double seconds = std::wcstod(argv[2], nullptr);
        ::Sleep(seconds > 0 ? static_cast<DWORD>(seconds * 1000) : 0);
    } else {
        char unused = 0;
        DWORD got = 0;
        while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), &unused, 1, &got, nullptr) && got > 0) {
        }
    }
    ::CloseHandle(file);
    return 0;
}
