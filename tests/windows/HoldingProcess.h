#pragma once

#include <string>

#include "support/win32/Process.h"

namespace tessaro::test {

// Another Windows program that holds a file with share mode 0: tessaro-hold-file in a
// process of its own. The constructor returns once the file is held (or could not be).
class HoldingProcess {
public:
    // Holds the file until Release.
    explicit HoldingProcess(const std::string& path);
    // Holds the file for a time and lets go by itself.
    HoldingProcess(const std::string& path, double seconds);
    ~HoldingProcess() { Release(); }
    HoldingProcess(const HoldingProcess&) = delete;
    HoldingProcess& operator=(const HoldingProcess&) = delete;

    bool Holding() const { return holding_; }

    // Tells the process to let go (when it holds until told) and returns once it has
    // ended, so that the file is surely free.
    void Release();

private:
    void Start(const std::string& path, const std::string& seconds);

    OwnedHandle process_;
    OwnedHandle input_;  // the writing end of its standard input
    bool holding_ = false;
};

}  // namespace tessaro::test
