#include "win32/HelpRtf.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessaro::win32 {

namespace {

// The rich text control of Wine takes time that grows with the square of a line's length
// to wrap it: 16 KiB of emoji without a break froze the window for two seconds, 128 KiB
// for a minute and a half. A line that has run this many characters ends at its next
// blank, or at the longer limit where none comes; the help we ship has no line half as
// long, so it shows as written.
constexpr int kLineBreakFrom = 500;
constexpr int kLongestLine = 600;

// Half-points: the body in 9 points, the headings larger; indents in twips.
constexpr const char* kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Segoe UI;}{\\f1\\fmodern\\fcharset0 Courier New;}}"
    "{\\colortbl;\\red31\\green74\\blue142;\\red80\\green90\\blue104;}"
    "\\uc1\\pard\\f0\\fs18\n";

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// The code point at `i` (advanced past it); U+FFFD for a byte that begins no character.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(i);
    int length = 0;
    char32_t code = 0;
    if (first < 0x80) {
        ++i;
        return first;
    }
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        code = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        code = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        code = first & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return code;
}

// The character an entity stands for ("amp", "#228", "#xE4"); none (0) when unknown.
char32_t EntityValue(std::string_view name) {
    if (name.starts_with("#x") || name.starts_with("#X")) {
        char32_t value = 0;
        if (name.size() < 3 || name.size() > 8) {
            return 0;
        }
        for (const char c : name.substr(2)) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                return 0;
            }
            value = value * 16 + static_cast<char32_t>(std::isdigit(static_cast<unsigned char>(c))
                                                           ? c - '0'
                                                           : std::tolower(c) - 'a' + 10);
        }
        return value <= 0x10FFFF ? value : 0;
    }
    if (name.starts_with('#')) {
        char32_t value = 0;
        if (name.size() < 2 || name.size() > 8) {
            return 0;
        }
        for (const char c : name.substr(1)) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return 0;
            }
            value = value * 10 + static_cast<char32_t>(c - '0');
        }
        return value <= 0x10FFFF ? value : 0;
    }
    struct Named {
        std::string_view name;
        char32_t value;
    };
    static constexpr Named kNamed[] = {
        {"amp", U'&'},     {"lt", U'<'},      {"gt", U'>'},      {"quot", U'"'},
        {"apos", U'\''},   {"nbsp", 0xA0},    {"auml", 0xE4},    {"ouml", 0xF6},
        {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},    {"Uuml", 0xDC},
        {"szlig", 0xDF},   {"ndash", 0x2013}, {"mdash", 0x2014}, {"rarr", 0x2192},
        {"bdquo", 0x201E}, {"ldquo", 0x201C}, {"copy", 0xA9},
    };
    for (const Named& entity : kNamed) {
        if (entity.name == name) {
            return entity.value;
        }
    }
    return 0;
}

// The value of an attribute in a tag's attribute text (name="value" or name='value').
std::string AttributeValue(std::string_view attributes, std::string_view name) {
    const std::string lower = Lower(attributes);
    std::size_t at = 0;
    while ((at = lower.find(name, at)) != std::string::npos) {
        const bool wordStart = at == 0 || std::isspace(static_cast<unsigned char>(lower[at - 1]));
        std::size_t i = at + name.size();
        while (i < attributes.size() && attributes[i] == ' ') {
            ++i;
        }
        if (wordStart && i < attributes.size() && attributes[i] == '=') {
            ++i;
            while (i < attributes.size() && attributes[i] == ' ') {
                ++i;
            }
            if (i < attributes.size() && (attributes[i] == '"' || attributes[i] == '\'')) {
                const std::size_t end = attributes.find(attributes[i], i + 1);
                return std::string(attributes.substr(
                    i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1));
            }
            std::size_t end = i;
            while (end < attributes.size() &&
                   !std::isspace(static_cast<unsigned char>(attributes[end]))) {
                ++end;
            }
            return std::string(attributes.substr(i, end - i));
        }
        at += name.size();
    }
    return std::string();
}

class RtfWriter {
public:
    HelpText Finish() {
        EndParagraph();
        CloseInlineGroups();
        out_ += "}";
        return HelpText{std::move(out_), std::move(links_), std::move(anchors_)};
    }

    // <a href="#name"> begins a link within the document, <a name="name"> an anchor;
    // links elsewhere show their text only.
    void Anchor(std::string_view attributes) {
        const std::string name = AttributeValue(attributes, "name");
        if (!name.empty() && skipping_ == 0) {
            anchors_.emplace(name, position_);
        }
        const std::string target = AttributeValue(attributes, "href");
        if (target.starts_with('#') && skipping_ == 0 &&
            links_.size() < static_cast<std::size_t>(kMostHelpLinks)) {
            link_ = HelpLink{-1, -1, target.substr(1)};
        }
    }
    void EndAnchor() {
        if (link_ && link_->start >= 0) {
            link_->end = position_;
            links_.push_back(*link_);
        }
        link_.reset();
    }

    void Tag(std::string_view name, bool closing) {
        if (name == "head" || name == "style" || name == "script" || name == "title") {
            skipping_ += closing ? -1 : 1;
            if (skipping_ < 0) {
                skipping_ = 0;
            }
            return;
        }
        if (skipping_ > 0) {
            return;
        }
        if (name == "th") {
            // A heading row: its cells bold on one line.
            if (!closing) {
                if (cell_ == 0) {
                    EndParagraph();
                    StartParagraph("\\sb120\\sa60\\cf1 ");
                } else {
                    Text(U" \u2013 ");
                }
                ++cell_;
            }
            Inline(closing, "\\b ");
        } else if (name == "b" || name == "strong") {
            Inline(closing, "\\b ");
        } else if (name == "i" || name == "em") {
            Inline(closing, "\\i ");
        } else if (name == "code" || name == "tt" || name == "kbd") {
            Inline(closing, "\\f1 ");
        } else if (name == "br") {
            if (!closing) {
                BreakLine();
                atLineStart_ = true;
            }
        } else if (name == "h1" || name == "h2" || name == "h3") {
            EndParagraph();
            if (!closing) {
                const char* size = name == "h1" ? "\\fs32" : name == "h2" ? "\\fs24" : "\\fs20";
                StartParagraph(std::string("\\sb240\\sa80\\keepn\\b\\cf1") + size + " ");
            }
        } else if (name == "p" || name == "div") {
            EndParagraph();
            if (!closing) {
                StartParagraph(note_ ? "\\sa100\\cf2 " : "\\sa100 ");
            }
        } else if (name == "ul" || name == "ol") {
            EndParagraph();
            if (closing) {
                if (!lists_.empty()) {
                    lists_.pop_back();
                }
            } else {
                lists_.push_back(name == "ol" ? 1 : 0);
            }
        } else if (name == "li") {
            EndParagraph();
            if (!closing) {
                const int depth = std::clamp(static_cast<int>(lists_.size()), 1, kDeepestHelpLists);
                const int indent = 360 * depth;
                std::string marker = "\\bullet";
                if (!lists_.empty() && lists_.back() > 0) {
                    marker = std::to_string(lists_.back()++) + ".";
                }
                StartParagraph("\\li" + std::to_string(indent) + "\\fi-240\\tx" +
                               std::to_string(indent) + "\\sa40 " + marker + "\\tab ");
                // The bullet (or the number and its dot) and the tab.
                position_ += (marker == "\\bullet" ? 1 : static_cast<long>(marker.size())) + 1;
            }
        } else if (name == "tr") {
            EndParagraph();
            cell_ = 0;
        } else if (name == "td") {
            if (!closing) {
                // The first cell of a row stands as a heading, the others indented below.
                EndParagraph();
                StartParagraph(cell_ == 0 ? "\\sb60\\keepn " : "\\li480\\sa60 ");
                ++cell_;
            } else {
                EndParagraph();
            }
        } else if (name == "table") {
            EndParagraph();
        } else if (name == "pre") {
            EndParagraph();
            pre_ = !closing;
            if (!closing) {
                StartParagraph("\\li240\\sa100\\f1 ");
            }
        }
    }

    // The class of the next paragraph ("hinweis" is a side note, shown in gray).
    void SetNote(bool note) { note_ = note; }

    void Character(char32_t c) {
        if (skipping_ > 0) {
            return;
        }
        if (!pre_ && (c == U' ' || c == U'\n' || c == U'\r' || c == U'\t')) {
            pendingSpace_ = !atLineStart_;
            return;
        }
        if (pre_ && c == U'\r') {
            return;
        }
        if (pre_ && c == U'\n') {
            if (!atLineStart_ || inPreBody_) {
                BreakLine();
            }
            atLineStart_ = true;
            return;
        }
        if (!inParagraph_) {
            StartParagraph("\\sa100 ");
        }
        EmitPendingSpace();
        if (lineLength_ >= kLongestLine) {
            BreakLine();
        }
        atLineStart_ = false;
        inPreBody_ = pre_;
        if (link_ && link_->start < 0) {
            link_->start = position_;
        }
        Emit(c);
        ++lineLength_;
    }

    void Text(std::u32string_view text) {
        for (const char32_t c : text) {
            Character(c);
        }
    }

private:
    void StartParagraph(const std::string& format) {
        out_ += "\\pard\\plain\\f0\\fs18" + format;
        lineLength_ = 0;
        paragraphLength_ = 0;
        inParagraph_ = true;
        atLineStart_ = true;
        pendingSpace_ = false;
        inPreBody_ = false;
    }

    void EndParagraph() {
        CloseInlineGroups();
        if (inParagraph_) {
            out_ += "\\par\n";
            ++position_;
            inParagraph_ = false;
        }
        atLineStart_ = true;
        pendingSpace_ = false;
    }

    // Bold, italic and program text are groups, closed by their end tag or at the end of
    // the paragraph, whichever comes first: a missing end tag never leaves a brace open.
    // Beyond the deepest, a tag and its end tag count for nothing.
    void Inline(bool closing, const char* format) {
        if (!closing) {
            if (!inParagraph_) {
                StartParagraph("\\sa100 ");
            }
            EmitPendingSpace();
            if (groups_.size() >= static_cast<std::size_t>(kDeepestHelpFormats)) {
                ++uncounted_[format];
                return;
            }
            out_ += '{';
            out_ += format;
            groups_.push_back(format);
            return;
        }
        if (uncounted_[format] > 0) {
            --uncounted_[format];
            return;
        }
        for (std::size_t k = groups_.size(); k > 0; --k) {
            if (groups_[k - 1] == std::string_view(format)) {
                // Closes it and whatever was opened inside it.
                out_.append(groups_.size() - (k - 1), '}');
                groups_.resize(k - 1);
                uncounted_.clear();
                return;
            }
        }
    }

    // The blank between two words, or the end of a line that has grown long.
    void EmitPendingSpace() {
        if (!pendingSpace_) {
            return;
        }
        pendingSpace_ = false;
        if (lineLength_ >= kLineBreakFrom) {
            BreakLine();
        } else {
            out_ += ' ';
            ++position_;
            ++lineLength_;
        }
    }

    // A line break is one character of the control, and so is the end of a paragraph that
    // has grown long and goes on as a new one.
    void BreakLine() {
        paragraphLength_ += lineLength_;
        if (paragraphLength_ >= kLongestHelpParagraph) {
            out_ += "\\par\n";
            paragraphLength_ = 0;
        } else {
            out_ += "\\line\n";
        }
        ++position_;
        lineLength_ = 0;
    }

    void CloseInlineGroups() {
        out_.append(groups_.size(), '}');
        groups_.clear();
        uncounted_.clear();
    }

    // One character of the control for each UTF-16 unit, a tab as one.
    void Emit(char32_t c) {
        if (c >= 0x20 || c == U'\t') {
            position_ += c > 0xFFFF ? 2 : 1;
        }
        if (c == U'\\' || c == U'{' || c == U'}') {
            out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c == U'\t') {
            out_ += "\\tab ";
        } else if (c >= 0x20 && c < 0x7F) {
            out_ += static_cast<char>(c);
        } else if (c < 0x20) {
            // Control characters have no place in the text.
        } else if (c > 0xFFFF) {
            const char32_t v = c - 0x10000;
            EmitUnit(static_cast<std::uint16_t>(0xD800 + (v >> 10)));
            EmitUnit(static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            EmitUnit(static_cast<std::uint16_t>(c));
        }
    }

    // RTF writes a UTF-16 unit as a signed 16-bit number, with "?" for readers without it.
    void EmitUnit(std::uint16_t unit) {
        out_ += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";
    }

    std::string out_ = kHeader;
    long position_ = 0;  // of the next character in the control
    std::optional<HelpLink> link_;
    std::vector<HelpLink> links_;
    std::map<std::string, long> anchors_;
    std::vector<const char*> groups_;
    std::map<std::string_view, int> uncounted_;  // tags beyond the deepest, by format
    std::vector<int> lists_;                     // 0 for a bullet list, else the next number
    int skipping_ = 0;
    int cell_ = 0;
    int lineLength_ = 0;       // characters since the paragraph or the line began
    int paragraphLength_ = 0;  // characters of the paragraph before its line
    bool inParagraph_ = false;
    bool atLineStart_ = true;
    bool pendingSpace_ = false;
    bool pre_ = false;
    bool inPreBody_ = false;
    bool note_ = false;
};

}  // namespace

std::string HelpRtfFromHtml(std::string_view html) { return HelpTextFromHtml(html).rtf; }

HelpText HelpTextFromHtml(std::string_view html) {
    RtfWriter writer;
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const std::size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            const std::size_t end = html.find('>', i + 1);
            if (end == std::string_view::npos) {
                break;  // an unfinished tag at the end: nothing more to show
            }
            std::string_view tag = html.substr(i + 1, end - i - 1);
            i = end + 1;
            if (tag.starts_with('!') || tag.starts_with('?')) {
                continue;
            }
            const bool closing = tag.starts_with('/');
            if (closing) {
                tag.remove_prefix(1);
            }
            std::size_t nameEnd = 0;
            while (nameEnd < tag.size() && std::isalnum(static_cast<unsigned char>(tag[nameEnd]))) {
                ++nameEnd;
            }
            const std::string name = Lower(tag.substr(0, nameEnd));
            const std::string attributes = Lower(tag.substr(nameEnd));
            if (!closing && (name == "p" || name == "div")) {
                writer.SetNote(attributes.find("hinweis") != std::string::npos);
            }
            if (name == "a") {
                if (closing) {
                    writer.EndAnchor();
                } else {
                    writer.Anchor(tag.substr(nameEnd));
                }
            }
            writer.Tag(name, closing);
            continue;
        }
        if (c == '&') {
            const std::size_t semicolon = html.find(';', i + 1);
            if (semicolon != std::string_view::npos && semicolon - i <= 10) {
                const char32_t value = EntityValue(html.substr(i + 1, semicolon - i - 1));
                if (value != 0) {
                    writer.Character(value);
                    i = semicolon + 1;
                    continue;
                }
            }
            writer.Character(U'&');
            ++i;
            continue;
        }
        writer.Character(NextCodePoint(html, i));
    }
    return writer.Finish();
}

}  // namespace tessaro::win32
