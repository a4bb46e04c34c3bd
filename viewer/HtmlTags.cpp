#include "HtmlTags.h"

#include <cctype>

namespace tessaro {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

}  // namespace

bool IsHtmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool HtmlTags::Next(HtmlPiece& piece) {
    piece = HtmlPiece();
    if (pos_ >= html_.size()) {
        return false;
    }
    if (html_[pos_] != '<') {
        const std::size_t end = html_.find('<', pos_);
        piece.text = html_.substr(pos_, end == std::string_view::npos ? end : end - pos_);
        pos_ += piece.text.size();
        return true;
    }
    ++pos_;
    SkipBlanks();
    if (At(0, '!')) {
        piece.kind = HtmlPiece::Kind::Declaration;
        Declaration();
    } else if (At(0, '/')) {
        piece.kind = HtmlPiece::Kind::EndTag;
        EndTag(piece);
    } else {
        piece.kind = HtmlPiece::Kind::StartTag;
        StartTag(piece);
    }
    return true;
}

// A comment runs from "<!--" to the next "-->", any other declaration to the next ">".
void HtmlTags::Declaration() {
    ++pos_;
    if (At(0, '-') && At(1, '-')) {
        pos_ += 2;
        const std::size_t end = html_.find("-->", pos_);
        pos_ = end == std::string_view::npos ? html_.size() : end + 3;
        return;
    }
    const std::size_t end = html_.find('>', pos_);
    pos_ = end == std::string_view::npos ? html_.size() : end + 1;
}

void HtmlTags::EndTag(HtmlPiece& piece) {
    ++pos_;
    char quote = 0;
    std::string_view name = Word(quote);
    while (!name.empty() && IsHtmlBlank(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && IsHtmlBlank(name.back())) {
        name.remove_suffix(1);
    }
    piece.name = Lower(name);
    const std::size_t end = html_.find('>', pos_);
    pos_ = end == std::string_view::npos ? html_.size() : end + 1;
}

void HtmlTags::StartTag(HtmlPiece& piece) {
    char quote = 0;
    piece.name = Lower(Word(quote));
    // Attributes only after a blank.
    if (pos_ < html_.size() && IsHtmlBlank(html_[pos_])) {
        Attributes(piece.attributes);
    }
    while (pos_ < html_.size() && html_[pos_] != '>') {
        piece.closed = piece.closed || html_[pos_] == '/';
        ++pos_;
    }
    ++pos_;
}

void HtmlTags::Attributes(std::vector<HtmlAttribute>& attributes) {
    while (pos_ < html_.size()) {
        SkipBlanks();
        if (At(0, '>') || At(0, '/')) {
            return;
        }
        char quote = 0;
        const std::string_view name = Word(quote);
        if (name.empty()) {
            return;
        }
        HtmlAttribute attribute{Lower(name), "1", 0};
        SkipBlanks();
        if (At(0, '=')) {
            ++pos_;
            SkipBlanks();
            attribute.value = Word(attribute.quote);
        }
        // An empty value counts as none.
        if (!attribute.value.empty()) {
            attributes.push_back(std::move(attribute));
        }
    }
}

std::string_view HtmlTags::Word(char& quote) {
    quote = 0;
    const std::size_t start = pos_;
    if (At(0, '"') || At(0, '\'')) {
        quote = html_[pos_];
        ++pos_;
        for (; pos_ < html_.size(); ++pos_) {
            // A single quote after a backslash does not end the value.
            if (html_[pos_] == quote && (quote == '"' || html_[pos_ - 1] != '\\')) {
                ++pos_;
                return html_.substr(start + 1, pos_ - start - 2);
            }
        }
        return html_.substr(start + 1);
    }
    for (; pos_ < html_.size(); ++pos_) {
        const char c = html_[pos_];
        if (c == '>' || c == '<' || c == '=' || IsHtmlBlank(c) ||
            (c == '/' && pos_ + 1 < html_.size() && html_[pos_ + 1] == '>')) {
            break;
        }
    }
    return html_.substr(start, pos_ - start);
}

void HtmlTags::SkipBlanks() {
    while (pos_ < html_.size() && IsHtmlBlank(html_[pos_])) {
        ++pos_;
    }
}

}  // namespace tessaro
