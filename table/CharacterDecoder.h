#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "table/CodePage.h"
#include "table/CodePageTables.h"
#include "table/TextConversion.h"

namespace tessaro {

// The text of a table (its field names, its character values, its memos) in the table's
// code page, turned into UTF-8. A byte, or a sequence of bytes, that is no character of the
// code page becomes U+FFFD, and so does a character cut short by the end of its text;
// nothing is ever read beyond the text. Windows-1252 and the German DOS rule keep the
// program's own tables, where the five bytes Windows leaves unused are the C1 controls of
// the same number. Cheap to copy.
class CharacterDecoder {
public:
    // The German DOS rule.
    CharacterDecoder();
    // A code page of KnownCodePages(); any other number gives the German DOS rule.
    explicit CharacterDecoder(int codePage);

    int CodePage() const { return codePage_; }

    // A stored value as its cell shows it: up to its first NUL and at most `maxCharacters`
    // characters, in UTF-8. `out` must hold 4 bytes per character and 2 more; returns the
    // bytes written.
    std::size_t CellTextInto(std::string_view stored, std::size_t maxCharacters, char* out) const;
    std::string CellText(std::string_view stored, std::size_t maxCharacters) const;

    // One character at the start of `bytes` (not empty). `atEnd`: no byte follows them.
    struct Step {
        std::size_t consumed;  // 0: the bytes begin a character that needs more of them
        char32_t code;
    };
    Step Decode(std::string_view bytes, bool atEnd) const;

private:
    enum class Kind { SingleByte, MultiByte, Utf8 };

    Kind kind_ = Kind::SingleByte;
    int codePage_ = kGermanDosRule;
    const Utf8Table* single_ = nullptr;
    std::shared_ptr<const Utf8Table> ownTable_;  // a single-byte table made for this code page
    bool asciiAsIs_ = true;
    const codepages::ByteTable* bytes_ = nullptr;
};

// A memo's text as a stream of pieces, turned into UTF-8: every soft line end of dBASE's
// memo editor (0x8D 0x0A, at each word wrap) becomes CR LF, and a character split between
// two pieces is kept whole.
class MemoTextDecoder {
public:
    explicit MemoTextDecoder(const CharacterDecoder& decoder) : decoder_(decoder) {}

    // Appends the UTF-8 of the next piece to `out`.
    void Feed(std::string_view piece, std::string& out);
    // After the last piece: what is left (a character cut short) to `out`.
    void Finish(std::string& out);

private:
    void DecodeInto(std::string_view bytes, bool atEnd, std::string& out);

    CharacterDecoder decoder_;
    std::string pending_;
};

}  // namespace tessaro
