#include "BoxText.h"

namespace tessaro {

std::string BoxTextWithLineFeeds(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
            continue;
        }
        lines += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    }
    return lines;
}

}  // namespace tessaro
