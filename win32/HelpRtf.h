#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::win32 {

// How deep bold, italic and program text nest in the rich text, and how deep lists are
// indented: any folder can bring its own help, and Wine's control crashes on more than about
// 32 nested groups. The help we ship nests two of each; what goes deeper shows as at the
// deepest.
inline constexpr int kDeepestHelpFormats = 8;
inline constexpr int kDeepestHelpLists = 8;
// Wine's control also lays out a paragraph again whole for every link marked in it: only so
// many links are marked (the others show as text), and a paragraph that has run this many
// characters goes on as a new one of the same form at its next line break. The help we
// ship has 10 links and no paragraph of 400 characters.
inline constexpr int kMostHelpLinks = 64;
inline constexpr int kLongestHelpParagraph = 2000;

// A link of the help document, as character positions in the rich text control that shows
// it: [start, end) is the link's text, `target` the name of the anchor it leads to.
struct HelpLink {
    long start = 0;
    long end = 0;
    std::string target;
};

// The help document as rich text, with its links within the document ("#name") and the
// positions of its anchors (<a name="...">), counted as the control counts characters.
struct HelpText {
    std::string rtf;
    std::vector<HelpLink> links;
    std::map<std::string, long> anchors;
};
HelpText HelpTextFromHtml(std::string_view html);

// The help document (HTML in UTF-8) as rich text for the help window's RichEdit control:
// headings, paragraphs, bold, italic and program text, lists, tables as one paragraph a
// row, preformatted lines. The head, styles and scripts are left out, links show their
// text. The result is plain ASCII (other characters as \uN escapes), whatever the code page.
std::string HelpRtfFromHtml(std::string_view html);

}  // namespace tessaro::win32
