#include "StderrDesktop.h"

#include <string>

#include "fileio/BoxText.h"

namespace tessaro {

BoxAnswer StderrDesktop::ShowMessageBox(WindowHandle /*owner*/, std::string_view text,
                                        std::string_view caption, BoxStyle style) {
    const std::string line = std::string(caption) + ": " + BoxTextWithLineFeeds(text) + "\n";
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    return GiveUpAnswer(style);
}

void StderrDesktop::StartTextEditor(const std::string& /*fileName*/) {}

}  // namespace tessaro
