#pragma once

#include <string>
#include <string_view>

namespace tessaro::win32 {

// The help document (HTML in UTF-8) as rich text for the help window's RichEdit control:
// headings, paragraphs, bold, italic and program text, lists, tables as one paragraph a
// row, preformatted lines. The head, styles and scripts are left out, links show their
// text. The result is plain ASCII (other characters as \uN escapes), whatever the code page.
std::string HelpRtfFromHtml(std::string_view html);

}  // namespace tessaro::win32
