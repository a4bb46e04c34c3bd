#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::win32 {

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
