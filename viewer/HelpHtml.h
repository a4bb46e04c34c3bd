#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// How much structure the help document may give a rich text reader, whatever file is named
// tessaro.hlp. The reader of Qt takes time that grows with the square of how deep elements
// nest, with a power of how deep tables nest, with the cells of a table's grid (and memory
// too: a few kilobytes of spans made gigabytes), and with style rules times elements. The
// help we ship stays far within these limits.
struct HelpHtmlLimits {
    static constexpr int kDeepestNesting = 32;                  // elements open at once
    static constexpr int kDeepestTables = 3;                    // tables within tables
    static constexpr std::int64_t kMostTableCells = 4096;       // rows x columns, all tables
    static constexpr int kWidestSpan = 64;                      // colspan and rowspan
    static constexpr std::int64_t kMostStyleMatches = 1000000;  // style rules x elements
};

// The help document (HTML) written anew as Qt's reader reads it, within those limits: a
// tag opened beyond them is left out with its end tag (its text stays), so is a row or cell
// that would stand outside a table, spans are cut to the widest, and the style sheets are
// left out when they would be matched against too many elements. Every tag is written in
// one plain form, so that the reader cannot take the result otherwise than it is meant.
// A document within the limits reads as before.
std::string BoundedHelpHtml(std::string_view html);

}  // namespace tessaro
