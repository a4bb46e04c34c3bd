#pragma once

namespace tessaro {

// tessaro-dump with its arguments in UTF-8; returns the exit code. The entry of each
// system (PosixMain.cpp, WindowsMain.cpp) hands the command line to it.
int RunDump(int argc, char** argv);

}  // namespace tessaro
