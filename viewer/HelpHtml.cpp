#include "HelpHtml.h"

#include <algorithm>
#include <map>
#include <vector>

#include "viewer/HtmlTags.h"

namespace tessaro {

namespace {

using Limits = HelpHtmlLimits;

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Names of elements, and of attributes, as this writer writes them: any other tag is left
// out (Qt's reader knows none of them).
bool IsPlainName(std::string_view name, std::string_view alsoAllowed = {}) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [&](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               alsoAllowed.find(c) != std::string_view::npos;
    });
}

// The elements Qt's reader closes at once, and those it lays out as blocks.
bool IsVoid(std::string_view name) { return IsOneOf(name, {"br", "hr", "img", "meta"}); }
bool IsBlock(std::string_view name) {
    return IsOneOf(name, {"blockquote", "body", "caption", "center", "dd", "div", "dl", "dt",
                          "h1",         "h2",   "h3",      "h4",     "h5", "h6",  "hr", "li",
                          "ol",         "p",    "pre",     "qt",     "td", "th",  "ul"});
}

// Where Qt's reader lets an element stand: it moves the element out of others until it is
// in such a parent.
bool AllowedIn(std::string_view name, std::string_view parent) {
    if (name == "dd" || name == "dt") {
        return parent == "dl";
    }
    if (name == "tr") {
        return IsOneOf(parent, {"table", "thead", "tbody", "tfoot"});
    }
    if (name == "td" || name == "th") {
        return parent == "tr";
    }
    if (IsOneOf(name, {"thead", "tbody", "tfoot", "caption"})) {
        return parent == "table";
    }
    if (name == "body" || name == "qt") {
        return parent != "head";
    }
    return true;
}

// A span as Qt's reader takes it: a number, else 1; then cut to the widest.
int Span(std::string_view value) {
    while (!value.empty() && IsHtmlBlank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && IsHtmlBlank(value.back())) {
        value.remove_suffix(1);
    }
    if (!value.empty() && value.front() == '+') {
        value.remove_prefix(1);
    }
    if (value.empty() ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 1;
    }
    int span = 0;
    for (const char c : value) {
        span = std::min(span * 10 + (c - '0'), Limits::kWidestSpan);
    }
    return std::max(span, 1);
}

// A table's grid as Qt's reader builds it: a row for each row, as many columns as the
// widest row takes, where cells spanning rows from above push the cells below aside.
struct Grid {
    struct Taken {
        std::int64_t untilRow = 0;
        int width = 1;
    };
    std::int64_t rows = 0;
    std::int64_t columns = 0;
    std::int64_t rowEnd = 0;   // the columns the current row takes so far
    std::vector<Taken> taken;  // by column: the cell last put there
};

class BoundedWriter {
public:
    explicit BoundedWriter(bool withStyles) : withStyles_(withStyles) {}

    void Add(const HtmlPiece& piece) {
        switch (piece.kind) {
            case HtmlPiece::Kind::Text: Text(piece.text); break;
            case HtmlPiece::Kind::StartTag: StartTag(piece); break;
            case HtmlPiece::Kind::EndTag: EndTag(piece.name); break;
            // Left out, but where it stood the reader still skips the blanks after it.
            case HtmlPiece::Kind::Declaration: out_ += "<!-- -->"; break;
        }
    }

    // Whether the style sheets would be matched against too many elements.
    bool TooManyStyleMatches() const {
        return styleRules_ > 0 && styleRules_ * elements_ > Limits::kMostStyleMatches;
    }

    std::string Finish() { return std::move(out_); }

private:
    void Text(std::string_view text) {
        if (styles_ > 0) {
            // Every rule has a brace, and a comma adds a selector.
            styleRules_ += std::count_if(text.begin(), text.end(),
                                         [](char c) { return c == '{' || c == ','; });
            if (!withStyles_) {
                return;
            }
        }
        out_ += text;
    }

    void StartTag(const HtmlPiece& piece) {
        const std::string& name = piece.name;
        if (!IsPlainName(name)) {
            return;
        }
        const bool leaf = piece.closed || IsVoid(name);
        if (!leftOut_.empty()) {
            // Inside an element left out: so is all but what holds nothing.
            if (!leaf) {
                LeaveOut(name);
            } else if (IsVoid(name)) {
                Write(piece, true);
            }
            return;
        }
        if (!PlaceAsQtDoes(name)) {
            return;
        }
        if (!leaf && (open_.size() >= Limits::kDeepestNesting ||
                      (name == "table" &&
                       (grids_.size() >= Limits::kDeepestTables || !InCellOrOutsideTables())))) {
            LeaveOut(name);
            return;
        }
        if ((name == "tr" && !AddRow()) || ((name == "td" || name == "th") && !AddCell(piece))) {
            return;
        }
        Write(piece, leaf);
        if (!leaf) {
            Open(name);
        }
    }

    void EndTag(const std::string& name) {
        if (!IsPlainName(name)) {
            return;
        }
        const auto leftOut = leftOutCount_.find(name);
        if (leftOut != leftOutCount_.end() && leftOut->second > 0) {
            // It ends an element left out, and what was left out inside it.
            while (PopLeftOut() != name) {
            }
            return;
        }
        for (std::size_t depth = open_.size(); depth > 0; --depth) {
            if (open_[depth - 1] == name) {
                leftOut_.clear();
                leftOutCount_.clear();
                CloseTo(depth - 1);
                return;
            }
        }
        // An end tag that ends nothing is nothing to the reader either.
    }

    // Closes open elements as Qt's reader would to make room for `name`; false when the
    // reader would put it outside every element, where it is left out instead (a cell
    // outside a row, which the reader puts into a table of its own).
    bool PlaceAsQtDoes(const std::string& name) {
        if (name == "p") {
            // A paragraph ends the paragraph it is in, and the inline elements between.
            std::size_t depth = open_.size();
            while (depth > 0 && !IsBlock(open_[depth - 1])) {
                --depth;
            }
            if (depth > 0 && open_[depth - 1] == "p") {
                CloseTo(depth - 1);
            }
        } else if (name == "li" && !open_.empty() && open_.back() == "li") {
            CloseTo(open_.size() - 1);
        }
        std::size_t depth = open_.size();
        while (depth > 0 && !AllowedIn(name, open_[depth - 1])) {
            --depth;
        }
        if (depth == 0 && !AllowedIn(name, "")) {
            return false;
        }
        CloseTo(depth);
        return true;
    }

    // Where a table may stand: Qt's reader puts a table written between the rows of
    // another into the table before it, however many there are.
    bool InCellOrOutsideTables() const {
        for (std::size_t depth = open_.size(); depth > 0; --depth) {
            const std::string& name = open_[depth - 1];
            if (name == "td" || name == "th") {
                return true;
            }
            if (IsOneOf(name, {"table", "thead", "tbody", "tfoot", "tr", "caption"})) {
                return false;
            }
        }
        return true;
    }

    bool AddRow() {
        Grid& grid = grids_.back();
        if (cells_ + grid.columns > Limits::kMostTableCells) {
            return false;
        }
        cells_ += grid.columns;
        ++grid.rows;
        grid.rowEnd = 0;
        return true;
    }

    bool AddCell(const HtmlPiece& cell) {
        int columnSpan = 1;
        int rowSpan = 1;
        for (const HtmlAttribute& attribute : cell.attributes) {
            if (attribute.name == "colspan") {
                columnSpan = Span(attribute.value);
            } else if (attribute.name == "rowspan") {
                rowSpan = Span(attribute.value);
            }
        }
        Grid& grid = grids_.back();
        const std::int64_t row = grid.rows - 1;
        std::int64_t column = grid.rowEnd;
        while (column < static_cast<std::int64_t>(grid.taken.size()) &&
               grid.taken[static_cast<std::size_t>(column)].untilRow > row) {
            column += grid.taken[static_cast<std::size_t>(column)].width;
        }
        const std::int64_t end = column + columnSpan;
        const std::int64_t added = std::max<std::int64_t>(end - grid.columns, 0) * grid.rows;
        if (cells_ + added > Limits::kMostTableCells) {
            return false;
        }
        cells_ += added;
        grid.columns = std::max(grid.columns, end);
        grid.rowEnd = end;
        grid.taken.resize(std::max(grid.taken.size(), static_cast<std::size_t>(end)));
        std::fill(grid.taken.begin() + static_cast<std::ptrdiff_t>(column),
                  grid.taken.begin() + static_cast<std::ptrdiff_t>(end),
                  Grid::Taken{row + rowSpan, columnSpan});
        return true;
    }

    void Write(const HtmlPiece& piece, bool leaf) {
        ++elements_;
        out_ += '<';
        out_ += piece.name;
        for (const HtmlAttribute& attribute : piece.attributes) {
            if (!IsPlainName(attribute.name, "-_:.")) {
                continue;
            }
            out_ += ' ';
            out_ += attribute.name;
            out_ += "=\"";
            if (attribute.name == "colspan" || attribute.name == "rowspan") {
                out_ += std::to_string(Span(attribute.value));
            } else {
                WriteValue(attribute);
            }
            out_ += '"';
        }
        out_ += leaf ? "/>" : ">";
    }

    // Always in double quotes, in which the reader decodes entities as it does without
    // quotes; a value in single quotes, where it does not, has its "&" written as one.
    void WriteValue(const HtmlAttribute& attribute) {
        for (const char c : attribute.value) {
            if (c == '"') {
                out_ += "&quot;";
            } else if (c == '&' && attribute.quote == '\'') {
                out_ += "&amp;";
            } else {
                out_ += c;
            }
        }
    }

    void Open(const std::string& name) {
        open_.push_back(name);
        if (name == "table") {
            grids_.emplace_back();
        } else if (name == "style") {
            ++styles_;
        }
    }

    // Ends the open elements beyond `depth`, innermost first.
    void CloseTo(std::size_t depth) {
        while (open_.size() > depth) {
            const std::string& name = open_.back();
            out_ += "</" + name + ">";
            if (name == "table") {
                grids_.pop_back();
            } else if (name == "style") {
                --styles_;
            }
            open_.pop_back();
        }
    }

    void LeaveOut(const std::string& name) {
        leftOut_.push_back(name);
        ++leftOutCount_[name];
    }

    std::string PopLeftOut() {
        std::string name = std::move(leftOut_.back());
        leftOut_.pop_back();
        --leftOutCount_[name];
        return name;
    }

    const bool withStyles_;
    std::string out_;
    std::vector<std::string> open_;
    // Elements left out for their depth, as if open beyond the others, with their count by
    // name: an end tag finds its element among them without a search.
    std::vector<std::string> leftOut_;
    std::map<std::string, std::int64_t> leftOutCount_;
    std::vector<Grid> grids_;  // of the open tables
    std::int64_t cells_ = 0;   // of every table's grid
    int styles_ = 0;           // style elements open
    std::int64_t styleRules_ = 0;
    std::int64_t elements_ = 0;
};

std::string Bounded(std::string_view html, bool withStyles, bool& tooManyStyleMatches) {
    BoundedWriter writer(withStyles);
    HtmlTags tags(html);
    HtmlPiece piece;
    while (tags.Next(piece)) {
        writer.Add(piece);
    }
    tooManyStyleMatches = writer.TooManyStyleMatches();
    return writer.Finish();
}

}  // namespace

std::string BoundedHelpHtml(std::string_view html) {
    bool tooManyStyleMatches = false;
    std::string bounded = Bounded(html, true, tooManyStyleMatches);
    if (tooManyStyleMatches) {
        bounded = Bounded(html, false, tooManyStyleMatches);
    }
    return bounded;
}

}  // namespace tessaro
