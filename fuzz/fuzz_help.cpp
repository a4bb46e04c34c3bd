// The help document on any bytes, as both windows read it; any folder can bring its own.
// The Win32 window's rich text: plain ASCII, every brace closed, groups no deeper than
// Wine's control takes, links within the text. The HTML that Qt's reader is given:
// elements and tables nested within the limits, and written so that bounding it again
// changes nothing (what the reader gets is what was counted).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "viewer/HelpHtml.h"
#include "viewer/HtmlTags.h"
#include "win32/HelpRtf.h"

using namespace tessaro;
using namespace tessaro::fuzz;

namespace {

void CheckRichText(std::string_view html) {
    const win32::HelpText help = win32::HelpTextFromHtml(html);
    const std::string& rtf = help.rtf;
    Require(rtf.starts_with("{\\rtf1") && rtf.ends_with("}"), "one rich text document");
    int depth = 0;
    int deepest = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        Require(static_cast<unsigned char>(rtf[i]) < 0x80, "plain ASCII");
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (rtf[i] == '}') {
            Require(--depth >= 0, "no brace closed before it is opened");
        }
    }
    Require(depth == 0, "every brace closed");
    // The header's font table nests three deep; the text one group and the formats in it.
    Require(deepest <= std::max(3, 1 + win32::kDeepestHelpFormats), "groups the control takes");
    for (const win32::HelpLink& link : help.links) {
        Require(0 <= link.start && link.start <= link.end, "links within the text");
    }
}

void CheckBoundedHtml(std::string_view html) {
    const std::string bounded = BoundedHelpHtml(html);
    Require(BoundedHelpHtml(bounded) == bounded, "bounded once is bounded");
    HtmlTags tags(bounded);
    HtmlPiece piece;
    std::vector<std::string> open;
    int tables = 0;
    while (tags.Next(piece)) {
        if (piece.kind == HtmlPiece::Kind::StartTag && !piece.closed) {
            open.push_back(piece.name);
            tables += piece.name == "table" ? 1 : 0;
            Require(open.size() <= static_cast<std::size_t>(HelpHtmlLimits::kDeepestNesting),
                    "elements nested within the limit");
            Require(tables <= HelpHtmlLimits::kDeepestTables, "tables nested within the limit");
        } else if (piece.kind == HtmlPiece::Kind::EndTag) {
            Require(!open.empty() && open.back() == piece.name, "each end tag ends the last open");
            tables -= open.back() == "table" ? 1 : 0;
            open.pop_back();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    CheckRichText(html);
    CheckBoundedHtml(html);
    return 0;
}
