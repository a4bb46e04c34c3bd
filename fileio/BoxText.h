#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The lines of a box text: the program breaks them with CR LF or a lone CR, as the Windows
// boxes do; a desktop that breaks lines with LF gets them so.
std::string BoxTextWithLineFeeds(std::string_view text);

}  // namespace tessaro
