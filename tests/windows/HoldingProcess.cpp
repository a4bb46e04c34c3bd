#include "HoldingProcess.h"

namespace tessaro::test {

HoldingProcess::HoldingProcess(const std::string& path) { Start(path, ""); }

HoldingProcess::HoldingProcess(const std::string& path, double seconds) {
    Start(path, std::to_string(seconds));
}

void HoldingProcess::Start(const std::string& path, const std::string& seconds) {
    HANDLE inputRead = nullptr;
    HANDLE inputWrite = nullptr;
    HANDLE outputRead = nullptr;
    HANDLE outputWrite = nullptr;
    if (!::CreatePipe(&inputRead, &inputWrite, nullptr, 0) ||
        !::CreatePipe(&outputRead, &outputWrite, nullptr, 0)) {
        return;
    }
    OwnedHandle childInput(inputRead);
    OwnedHandle childOutput(outputWrite);
    const OwnedHandle stateFromChild(outputRead);
    input_ = OwnedHandle(inputWrite);
    const OwnedHandle error(::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    std::vector<std::string> argv{TESSARO_HOLD_FILE_PATH, path};
    if (!seconds.empty()) {
        argv.push_back(seconds);
    }
    process_ = OwnedHandle(StartProcess(argv, childInput.Get(), childOutput.Get(), error.Get()));
    // Only the child may hold these ends now: a child that ends without a word ends the
    // read below.
    childInput.Reset();
    childOutput.Reset();
    if (!process_) {
        return;
    }
    char state = 0;
    DWORD got = 0;
    holding_ =
        ::ReadFile(stateFromChild.Get(), &state, 1, &got, nullptr) && got == 1 && state == 'L';
}

void HoldingProcess::Release() {
    input_.Reset();
    if (process_) {
        ::WaitForSingleObject(process_.Get(), INFINITE);
        process_.Reset();
    }
    holding_ = false;
}

}  // namespace tessaro::test
