#include "tools/DumpMain.h"

int main(int argc, char** argv) { return tessaro::RunDump(argc, argv); }
