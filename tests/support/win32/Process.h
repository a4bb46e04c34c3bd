#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Starting programs on Windows, for the test support and the Windows tests.
namespace tessaro::test {

// The command line that hands `argv` (UTF-8) to a program's wmain or main unchanged:
// quoted where needed, backslashes doubled only in front of a quote.
std::wstring CommandLineOf(const std::vector<std::string>& argv);

// Starts argv[0] with the given standard handles, which it inherits and no other handle
// of this process does; in `workingDir` unless that is empty. Returns the process handle,
// or nullptr.
HANDLE StartProcess(const std::vector<std::string>& argv, HANDLE input, HANDLE output, HANDLE error,
                    const std::string& workingDir = "");

// A handle closed at the end of its scope.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_ != nullptr) {
            ::CloseHandle(handle_);
            handle_ = nullptr;
        }
    }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace tessaro::test
