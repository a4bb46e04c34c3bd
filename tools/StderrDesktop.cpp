#include "StderrDesktop.h"

#include <string>

namespace tessaro {

namespace {

// CR LF and a lone CR both break a line in a box.
std::string WithNewlines(std::string_view text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            lines += text[i];
        }
    }
    return lines;
}

}  // namespace

int StderrDesktop::MessageBox(WindowHandle /*owner*/, std::string_view text,
                              std::string_view caption, unsigned style) {
    const std::string line = std::string(caption) + ": " + WithNewlines(text) + "\n";
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    switch (style & MB_TYPEMASK) {
        case MB_RETRYCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        default: return IDOK;
    }
}

void StderrDesktop::StartTextEditor(const std::string& /*fileName*/) {}

}  // namespace tessaro
