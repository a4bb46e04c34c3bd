#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// An attribute of a tag as written: its name in lower case, its value without the quotes
// (entities not decoded) and the quote it stood in (0 for none).
struct HtmlAttribute {
    std::string name;
    std::string_view value;
    char quote = 0;
};

struct HtmlPiece {
    enum class Kind { Text, StartTag, EndTag, Declaration };
    Kind kind = Kind::Text;
    std::string_view text;  // of Text
    std::string name;       // of a tag, in lower case
    std::vector<HtmlAttribute> attributes;
    bool closed = false;  // a start tag written "<name ... />"
};

// An HTML text cut into its text, tags and declarations (comments, <!DOCTYPE ...>) the way
// the lenient reader of Qt's rich text cuts it: every "<" begins a tag, a tag ends at the
// next ">" after its attributes, and quoted values may hold any character. In one pass,
// each byte read once or twice.
class HtmlTags {
public:
    explicit HtmlTags(std::string_view html) : html_(html) {}

    // The next piece; false at the end.
    bool Next(HtmlPiece& piece);

private:
    void Declaration();
    void EndTag(HtmlPiece& piece);
    void StartTag(HtmlPiece& piece);
    void Attributes(std::vector<HtmlAttribute>& attributes);
    // A name or value: quoted, or up to a blank, "<", "=", ">" or "/>".
    std::string_view Word(char& quote);
    void SkipBlanks();
    bool At(std::size_t offset, char c) const {
        return pos_ + offset < html_.size() && html_[pos_ + offset] == c;
    }

    std::string_view html_;
    std::size_t pos_ = 0;
};

// Whether a byte is a blank between the words of a tag.
bool IsHtmlBlank(char c);

}  // namespace tessaro
