#pragma once

#include <array>

namespace tessaro {

// The version box's caption and lines, as the program has always shown them.
inline constexpr const char* kVersionCaption = "über diese Version ...";
inline constexpr std::array<const char*, 6> kVersionLines = {
    "Tessaro 1.20",
    "für Win95 und NT 4.0",
    "öffnet Visual DBase 5 + 7 Dateien",
    "Build 2.1",
    "10.02.99",
    "Deutsch",
};

}  // namespace tessaro
