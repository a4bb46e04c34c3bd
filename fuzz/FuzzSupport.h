#pragma once

// What the fuzz targets share: a desktop on which every question is answered by a user who
// gives up, a session that never waits, and a private folder for the files of one input.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fileio/DesktopPort.h"
#include "table/Session.h"

namespace tessaro::fuzz {

// Answers every box as a user who gives up (OK, Cancel, No); `yes` turns the memo question
// into a Yes. Nothing is shown and no editor is started.
class QuietDesktop final : public DesktopPort {
public:
    explicit QuietDesktop(bool yes = false) : yes_(yes) {}

    BoxAnswer ShowMessageBox(WindowHandle, std::string_view, std::string_view,
                             BoxStyle style) override {
        ++boxes;
        if (yes_ && style.buttons == BoxButtons::YesNo) {
            return BoxAnswer::Yes;
        }
        return GiveUpAnswer(style);
    }
    void StartTextEditor(const std::string&) override { ++editorStarts; }

    int boxes = 0;
    int editorStarts = 0;

private:
    bool yes_;
};

// A session whose failed opens ask at once instead of retrying for five seconds.
struct QuietSession {
    explicit QuietSession(bool yes = false) : desktop(yes), session(desktop) {
        session.access.retry.retryLimit = 0;
        session.access.retry.sleep = [](std::chrono::milliseconds) {};
    }
    QuietDesktop desktop;
    Session session;
};

// One folder per process (libFuzzer's -fork and -jobs run several), removed at exit. The
// name is never freed, so that it outlives every other static object.
inline const std::string& WorkFolder() {
    static const std::string* const folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessaro-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return new std::string(pattern);
    }();
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          std::filesystem::remove_all(*folder, ignored);
                                      }) == 0;
    (void)removedAtExit;
    return *folder;
}

inline std::string WorkFile(const std::string& name) { return WorkFolder() + "/" + name; }

inline void WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::perror(path.c_str());
        std::abort();
    }
}

// Stops the run with a message when a promise of the core does not hold.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

}  // namespace tessaro::fuzz
