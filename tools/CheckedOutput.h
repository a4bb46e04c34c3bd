#pragma once

#include <cstdio>
#include <string_view>

namespace tessaro {

// An output stream whose every write is checked: a script that exports a table must not get
// a short file and success because the disk was full.
class CheckedOutput {
public:
    explicit CheckedOutput(std::FILE* out) : out_(out) {}

    void Write(std::string_view bytes) {
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out_) != bytes.size()) {
            failed_ = true;
        }
    }

    // Flushes what is buffered; true when every byte has gone out.
    bool Finish() {
        if (std::fflush(out_) != 0 || std::ferror(out_) != 0) {
            failed_ = true;
        }
        return !failed_;
    }

private:
    std::FILE* out_;
    bool failed_ = false;
};

}  // namespace tessaro
