// The help document as rich text: what the help window's RichEdit control is given, and
// what the control makes of it.

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "win32/HelpRtf.h"

namespace tessaro::win32 {
namespace {

std::string HelpDocument() {
    std::ifstream file(TESSARO_HELP_FILE, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// Braces opened and closed, escaped ones aside; -1 when one closes before it was opened.
int OpenGroups(const std::string& rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth < 0) {
            return -1;
        }
    }
    return depth;
}

// How deep the groups of the rich text nest at most.
int DeepestGroup(const std::string& rtf) {
    int depth = 0;
    int deepest = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (rtf[i] == '}') {
            --depth;
        }
    }
    return deepest;
}

// The paragraph (from its \pard to its \par) that holds a text.
std::string ParagraphOf(const std::string& rtf, const std::string& text) {
    const std::size_t at = rtf.find(text);
    if (at == std::string::npos) {
        return std::string();
    }
    const std::size_t start = rtf.rfind("\\pard", at);
    const std::size_t end = rtf.find("\\par\n", at);
    return rtf.substr(start, end - start);
}

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 0x7F) {
            return false;
        }
    }
    return true;
}

TEST(HelpRtf, IsOneWholeDocumentInAscii) {
    for (const std::string& html : {std::string("<p>x</p>"), std::string(""), HelpDocument()}) {
        const std::string rtf = HelpRtfFromHtml(html);
        EXPECT_TRUE(rtf.starts_with("{\\rtf1")) << html;
        EXPECT_TRUE(rtf.ends_with("}"));
        EXPECT_EQ(OpenGroups(rtf), 0) << rtf;
        EXPECT_TRUE(IsAscii(rtf));
    }
}

TEST(HelpRtf, TagsLeftOpenOrClosedTwiceNeverUnbalanceTheBraces) {
    for (const char* html : {"<p><b>fett<i>beides</b>danach</i></p>", "<p></b></i></code>x",
                             "<b><b><b>x", "<p><code>a<p>b</code>", "<h1>a<b>b</h1>c</b>",
                             "<ul><li><b>x</ul></ul></li>", "<pre><b>x", "<p>a <unfertig"}) {
        const std::string rtf = HelpRtfFromHtml(html);
        EXPECT_EQ(OpenGroups(rtf), 0) << html << "\n" << rtf;
    }
}

TEST(HelpRtf, OtherCharactersAreUnicodeEscapes) {
    const std::string rtf = HelpRtfFromHtml("<p>\xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80</p>");
    EXPECT_NE(rtf.find("\\u228? \\u8364? \\u-10179?\\u-8704?"), std::string::npos) << rtf;
}

TEST(HelpRtf, RtfSignsInTheTextAreEscaped) {
    const std::string rtf = HelpRtfFromHtml("<p>a{b}c\\d</p>");
    EXPECT_NE(rtf.find("a\\{b\\}c\\\\d"), std::string::npos) << rtf;
}

TEST(HelpRtf, EntitiesBecomeTheirCharacters) {
    const std::string rtf =
        HelpRtfFromHtml("<p>&lt;x&gt; &amp; &auml;&#228;&#xE4; &bogus; a&b</p>");
    EXPECT_NE(rtf.find("<x> & \\u228?\\u228?\\u228? &bogus; a&b"), std::string::npos) << rtf;
}

TEST(HelpRtf, TheHeadStylesAndCommentsAreNotShown) {
    const std::string rtf = HelpRtfFromHtml(
        "<html><head><title>Titel</title><style>body { color: red; }</style></head>"
        "<body><!-- <p>versteckt</p> --><p>sichtbar</p></body></html>");
    EXPECT_EQ(rtf.find("Titel"), std::string::npos);
    EXPECT_EQ(rtf.find("color:"), std::string::npos);
    EXPECT_EQ(rtf.find("versteckt"), std::string::npos);
    EXPECT_NE(rtf.find("sichtbar"), std::string::npos);
}

TEST(HelpRtf, BlanksAndLineBreaksOfTheSourceBecomeOneBlank) {
    const std::string rtf = HelpRtfFromHtml("<p>\n  eins \n\n  zwei  </p>");
    EXPECT_NE(rtf.find(" eins zwei\\par"), std::string::npos) << rtf;
}

TEST(HelpRtf, PreformattedTextKeepsItsLinesAndBlanks) {
    const std::string rtf = HelpRtfFromHtml("<pre>\nerste  Zeile\n  zweite</pre>");
    EXPECT_NE(rtf.find("erste  Zeile\\line\n  zweite"), std::string::npos) << rtf;
    EXPECT_NE(ParagraphOf(rtf, "erste").find("\\f1"), std::string::npos) << rtf;
}

// The pieces of a paragraph's text between its line breaks; the first without the
// paragraph's format.
std::vector<std::string> LinesOf(const std::string& paragraph, const std::string& firstText) {
    std::vector<std::string> lines;
    std::size_t start = paragraph.find(firstText);
    for (std::size_t end; (end = paragraph.find("\\line\n", start)) != std::string::npos;
         start = end + 6) {
        lines.push_back(paragraph.substr(start, end - start));
    }
    lines.push_back(paragraph.substr(start));
    return lines;
}

// Wine's rich text control takes a long time to wrap a long line: the help window must not
// freeze on a document that has such lines.
TEST(HelpRtf, ALongLineIsBrokenIntoShortOnesWithEveryCharacterKept) {
    std::string words;
    for (int i = 0; i < 250; ++i) {  // within one paragraph
        words += (i > 0 ? " wort" : "wort") + std::to_string(i);
    }
    const std::vector<std::string> wordLines =
        LinesOf(ParagraphOf(HelpRtfFromHtml("<p>" + words + "</p>"), "wort0"), "wort0");
    EXPECT_GE(wordLines.size(), 3u);
    std::string joined;
    for (const std::string& line : wordLines) {
        EXPECT_LE(line.size(), 600u) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, words) << "broken at blanks, which the breaks take the place of";

    const std::string noBlanks(1500, 'a');
    const std::vector<std::string> letterLines =
        LinesOf(ParagraphOf(HelpRtfFromHtml("<p>" + noBlanks + "</p>"), "aaa"), "aaa");
    EXPECT_EQ(letterLines, (std::vector<std::string>{std::string(600, 'a'), std::string(600, 'a'),
                                                     std::string(300, 'a')}));

    const std::string emoji = "\xF0\x9F\x98\x80";  // one character, two UTF-16 units
    std::string emojis;
    for (int i = 0; i < 1000; ++i) {
        emojis += emoji;
    }
    EXPECT_NE(HelpRtfFromHtml("<p>" + emojis + "</p>").find("?\\line\n\\u-10179?"),
              std::string::npos)
        << "a break between two characters, none inside one";

    // A paragraph as long as any we write is no long line.
    const std::string paragraph = words.substr(0, 480);
    EXPECT_EQ(HelpRtfFromHtml("<p>" + paragraph + "</p>").find("\\line"), std::string::npos);
}

// Wine's control lays out a paragraph again whole for every link marked in it: 64 links in a
// paragraph of 60,000 characters froze the window for 18 seconds, 3,000 short ones for two
// minutes.
TEST(HelpRtf, LinksAreMarkedOnlySoOftenAndParagraphsStayShort) {
    std::string html = "<p>";
    for (int i = 0; i < 200; ++i) {
        html += "<a href=\"#ziel\">Verweis</a> und noch ein paar Worte dazu, ";
    }
    const HelpText help = HelpTextFromHtml(html + "</p><h2><a name=\"ziel\"></a>Ziel</h2>");
    EXPECT_EQ(help.links.size(), static_cast<std::size_t>(kMostHelpLinks));
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = help.rtf.find("\\par\n", start)) != std::string::npos;
         start = end + 5) {
        longest = std::max(longest, end - start);
    }
    EXPECT_GT(longest, 1000u);
    EXPECT_LE(longest, static_cast<std::size_t>(kLongestHelpParagraph + 700));
    EXPECT_EQ(std::count(help.rtf.begin(), help.rtf.end(), '}') -
                  std::count(help.rtf.begin(), help.rtf.end(), '{'),
              0);
}

TEST(HelpRtf, HeadingsAndBoldAreBoldPlainParagraphsAreNot) {
    const std::string rtf = HelpRtfFromHtml("<h2>Kopf</h2><p>Text <b>fett</b> weiter</p>");
    EXPECT_NE(ParagraphOf(rtf, "Kopf").find("\\b"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("Text {\\b fett} weiter"), std::string::npos) << rtf;
}

TEST(HelpRtf, ListsHaveBulletsOrNumbers) {
    const std::string rtf =
        HelpRtfFromHtml("<ul><li>a</li><li>b</li></ul><ol><li>eins</li><li>zwei</li></ol>");
    EXPECT_NE(rtf.find("\\bullet\\tab a"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\bullet\\tab b"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("1.\\tab eins"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("2.\\tab zwei"), std::string::npos) << rtf;
}

TEST(HelpRtf, ATableRowIsItsFirstCellWithTheOthersBelow) {
    const std::string rtf = HelpRtfFromHtml(
        "<table><tr><th>Art</th><th>Anzeige</th></tr><tr><td>Datum</td><td>TT.MM.JJJJ</td></tr></"
        "table>");
    EXPECT_NE(ParagraphOf(rtf, "Art").find("Anzeige"), std::string::npos) << rtf;
    EXPECT_EQ(ParagraphOf(rtf, "Datum").find("TT.MM"), std::string::npos) << rtf;
    EXPECT_NE(ParagraphOf(rtf, "TT.MM.JJJJ").find("\\li"), std::string::npos) << rtf;
}

// What the rich text control of Windows shows of a document.
std::wstring ShownText(const std::string& rtf) {
    EXPECT_NE(::LoadLibraryW(L"msftedit.dll"), nullptr);
    const HWND control =
        ::CreateWindowExW(0, L"RICHEDIT50W", L"", ES_MULTILINE | ES_READONLY, 0, 0, 400, 300,
                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(control, nullptr);
    SETTEXTEX mode = {ST_DEFAULT, CP_ACP};
    ::SendMessageW(control, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&mode),
                   reinterpret_cast<LPARAM>(rtf.c_str()));
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    ::DestroyWindow(control);
    return text;
}

// Wine's control crashed on more than about 32 nested groups: any folder can bring its own
// help, and 40 nested <b> took the program down.
TEST(HelpRtf, DeepNestingIsCutToWhatTheControlTakes) {
    std::string html = "<p>";
    for (int i = 0; i < 2000; ++i) {
        html += i % 3 == 0 ? "<b>x" : i % 3 == 1 ? "<i>y" : "<code>z";
    }
    html += "</p><p>";
    for (int i = 0; i < 40; ++i) {
        html += "<b>";
    }
    html += "fett";
    for (int i = 0; i < 40; ++i) {
        html += "</b>";
    }
    html += "danach</p>";
    for (int i = 0; i < 2000; ++i) {
        html += "<ul><li>tief";
    }
    const std::string rtf = HelpRtfFromHtml(html);
    EXPECT_LE(DeepestGroup(rtf), 1 + kDeepestHelpFormats);
    EXPECT_NE(rtf.find("fett" + std::string(kDeepestHelpFormats, '}') + "danach"),
              std::string::npos)
        << "each end tag ends its own";
    int widestIndent = 0;
    for (std::size_t at = rtf.find("\\li"); at != std::string::npos;
         at = rtf.find("\\li", at + 1)) {
        widestIndent = std::max(widestIndent, std::atoi(rtf.c_str() + at + 3));
    }
    EXPECT_EQ(widestIndent, 360 * kDeepestHelpLists) << "lists indented as deep as they go";
    const std::wstring shown = ShownText(rtf);
    EXPECT_NE(shown.find(L"xyzxyz"), std::wstring::npos);
    EXPECT_NE(shown.find(L"fettdanach"), std::wstring::npos);
}

// The rich text control of Windows reads the document and shows its text.
TEST(HelpRtf, TheRichTextControlShowsTheHelpText) {
    const std::wstring text = ShownText(HelpRtfFromHtml(HelpDocument()));
    EXPECT_EQ(text.find(L"{\\rtf"), std::wstring::npos)
        << "the control showed the rich text as text";
    EXPECT_NE(text.find(L"Tessaro \u2013 Hilfe"), std::wstring::npos);
    EXPECT_NE(text.find(L"Was ist Tessaro?"), std::wstring::npos);
    EXPECT_NE(text.find(L"Wählen Sie im Menü „Datei“ → „Anzeigen“."), std::wstring::npos);
    EXPECT_NE(text.find(L"tessaro-dump --csv KUNDEN.DBF > kunden.csv"), std::wstring::npos);
    EXPECT_EQ(text.find(L"font-family"), std::wstring::npos);
    EXPECT_EQ(text.find(L"&gt;"), std::wstring::npos);
}

// The links of the table of contents lead to their headings, where the control has them.
TEST(HelpRtf, TheLinksLeadToTheirHeadingsInTheControl) {
    ASSERT_NE(::LoadLibraryW(L"msftedit.dll"), nullptr);
    const HWND control =
        ::CreateWindowExW(0, L"RICHEDIT50W", L"", ES_MULTILINE | ES_READONLY, 0, 0, 400, 300,
                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(control, nullptr);
    const HelpText help = HelpTextFromHtml(HelpDocument());
    SETTEXTEX mode = {ST_DEFAULT, CP_ACP};
    ::SendMessageW(control, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&mode),
                   reinterpret_cast<LPARAM>(help.rtf.c_str()));
    const auto shown = [control](long start, long end) {
        std::wstring text(static_cast<std::size_t>(end - start) + 1, L'\0');
        TEXTRANGEW range = {{start, end}, text.data()};
        text.resize(static_cast<std::size_t>(
            ::SendMessageW(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
        return text;
    };
    ASSERT_GE(help.links.size(), 10u);
    EXPECT_EQ(shown(help.links[0].start, help.links[0].end), L"Was ist Tessaro?");
    for (const HelpLink& link : help.links) {
        ASSERT_EQ(help.anchors.count(link.target), 1u) << link.target;
        const long at = help.anchors.at(link.target);
        const std::wstring text = shown(link.start, link.end);
        if (link.target == "anfang") {
            EXPECT_EQ(text, L"Zurück zum Inhalt");
            EXPECT_EQ(shown(at, at + 15), L"Tessaro \u2013 Hilfe");
        } else {
            EXPECT_EQ(shown(at, at + static_cast<long>(text.size())), text) << link.target;
        }
    }
    ::DestroyWindow(control);
}

}  // namespace
}  // namespace tessaro::win32
