#pragma once

#include <cstdint>
#include <string>

namespace tessaro::test {

// Holds a file as another program would, until Release or the end of the object: an
// exclusive flock on POSIX, an open with share mode 0 on Windows. Either keeps the file
// layer's exclusive open out.
class HeldFile {
public:
    explicit HeldFile(const std::string& path);
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Holding() const { return handle_ != -1; }
    void Release();

private:
    std::intptr_t handle_ = -1;
};

}  // namespace tessaro::test
