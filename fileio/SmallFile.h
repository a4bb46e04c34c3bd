#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tessaro {

// The whole content of a regular file of at most `maxBytes` bytes; none for anything else
// (a folder, a FIFO, a device, a bigger file) or when it cannot be read. For the files a
// document names, which must neither hang the program nor fill its memory. Memory that runs
// out for the content throws std::bad_alloc, with the file closed.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes);

}  // namespace tessaro
