#include <csignal>

#include "tools/DumpMain.h"

int main(int argc, char** argv) {
    // A listing that reaches the file size limit (ulimit -f) would be ended by SIGXFSZ
    // without a word; ignored, the write fails instead, and the checked output says so.
    std::signal(SIGXFSZ, SIG_IGN);
    return tessaro::RunDump(argc, argv);
}
