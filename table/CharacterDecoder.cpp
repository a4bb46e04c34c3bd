#include "CharacterDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "table/ByteScan.h"

namespace tessaro {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr unsigned char kSoftLineEnd = 0x8D;

// The UTF-8 table of a single-byte code page, made once per decoder.
std::shared_ptr<const Utf8Table> MakeUtf8Table(const codepages::ByteTable& table) {
    auto made = std::make_shared<Utf8Table>();
    for (std::size_t b = 0; b < 256; ++b) {
        const std::uint16_t code = table.codes[b];
        (*made)[b] = Utf8FormOf(code == codepages::kNoCharacter ? std::uint16_t{0xFFFD} : code);
    }
    return made;
}

bool KeepsAscii(const codepages::ByteTable& table) {
    for (std::uint16_t b = 0; b < 0x80; ++b) {
        if (table.codes[b] != b) {
            return false;
        }
    }
    return true;
}

unsigned char ByteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// One character of UTF-8: a valid sequence, or U+FFFD for the longest start of one that
// is not (at least one byte).
CharacterDecoder::Step DecodeUtf8(std::string_view bytes, bool atEnd) {
    const Utf8Sequence sequence = Utf8SequenceAt(bytes);
    if (sequence.cut && !atEnd) {
        return {0, kReplacement};  // the rest comes with the next bytes
    }
    if (!sequence.whole) {
        return {sequence.length, kReplacement};
    }
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (sequence.length == 1) {
        return {1, lead};
    }
    char32_t code = lead & (0x7F >> sequence.length);
    for (std::size_t i = 1; i < sequence.length; ++i) {
        code = code << 6 | (ByteAt(bytes, i) & 0x3F);
    }
    return {sequence.length, code};
}

}  // namespace

CharacterDecoder::CharacterDecoder() : single_(&GermanDosUtf8Table()) {}

CharacterDecoder::CharacterDecoder(int codePage) : CharacterDecoder() {
    if (codePage == kUtf8) {
        kind_ = Kind::Utf8;
        codePage_ = codePage;
        return;
    }
    if (codePage == kWindows1252) {
        single_ = &Windows1252Utf8Table();
        codePage_ = codePage;
        return;
    }
    const codepages::ByteTable* table = codepages::FindByteTable(codePage);
    if (table == nullptr) {
        return;  // the German DOS rule
    }
    codePage_ = codePage;
    asciiAsIs_ = KeepsAscii(*table);
    if (table->rowCount == 1) {
        ownTable_ = MakeUtf8Table(*table);
        single_ = ownTable_.get();
    } else {
        kind_ = Kind::MultiByte;
        bytes_ = table;
    }
}

CharacterDecoder::Step CharacterDecoder::Decode(std::string_view bytes, bool atEnd) const {
    switch (kind_) {
        case Kind::Utf8: return DecodeUtf8(bytes, atEnd);
        case Kind::SingleByte: {
            // The tables hold each byte's character as UTF-8: read back from there.
            const Utf8Form& form = (*single_)[ByteAt(bytes, 0)];
            return {1, DecodeUtf8(std::string_view(form.bytes, form.length), true).code};
        }
        case Kind::MultiByte: break;
    }
    std::size_t row = 0;
    for (std::size_t i = 0;; ++i) {
        if (i == bytes.size()) {
            return {atEnd ? i : 0, kReplacement};  // cut short, or more to come
        }
        const unsigned char byte = ByteAt(bytes, i);
        const std::uint16_t code = bytes_->codes[row * 256 + byte];
        if (code == codepages::kContinues) {
            row = bytes_->next[static_cast<std::size_t>(bytes_->nextAt[row]) + byte];
            continue;
        }
        if (code == codepages::kNoCharacter) {
            // The bytes before it are the longest start of a character there is.
            return {i == 0 ? 1 : i, kReplacement};
        }
        return {i + 1, code};
    }
}

std::size_t CharacterDecoder::CellTextInto(std::string_view stored, std::size_t maxCharacters,
                                           char* out) const {
    if (kind_ == Kind::SingleByte) {
        return SingleByteTextToUtf8Into(stored, maxCharacters, *single_, asciiAsIs_, out);
    }
    char* p = out;
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < stored.size() && characters < maxCharacters) {
        // Runs of plain ASCII, the same in every multi-byte code page here, eight at a time.
        if (i + 8 <= stored.size() && characters + 8 <= maxCharacters) {
            const std::uint64_t word = bytescan::LoadEight(stored.data() + i);
            if (bytescan::AllAscii(word) && !bytescan::HasZeroByte(word)) {
                std::memcpy(p, stored.data() + i, 8);
                p += 8;
                i += 8;
                characters += 8;
                continue;
            }
        }
        const auto byte = ByteAt(stored, i);
        if (byte == 0) {
            break;
        }
        if (byte < 0x80) {
            *p++ = static_cast<char>(byte);
            ++i;
        } else if (kind_ == Kind::Utf8) {
            const Utf8Sequence sequence = Utf8SequenceAt(stored.substr(i));
            if (sequence.whole) {
                std::memcpy(p, stored.data() + i, sequence.length);  // valid: as it is
                p += sequence.length;
            } else {
                p = PutUtf8Code(p, kReplacement);
            }
            i += sequence.length;
        } else {
            const Step step = Decode(stored.substr(i), true);
            p = PutUtf8Code(p, step.code);
            i += step.consumed;
        }
        ++characters;
    }
    return static_cast<std::size_t>(p - out);
}

std::string CharacterDecoder::CellText(std::string_view stored, std::size_t maxCharacters) const {
    std::string text(4 * std::min(stored.size(), maxCharacters) + 2, '\0');
    text.resize(CellTextInto(stored, maxCharacters, text.data()));
    return text;
}

void MemoTextDecoder::DecodeInto(std::string_view bytes, bool atEnd, std::string& out) {
    char buffer[4];
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::string_view rest = bytes.substr(i);
        if (ByteAt(rest, 0) == kSoftLineEnd) {
            if (rest.size() == 1 && !atEnd) {
                break;  // a soft line end, perhaps: the next piece tells
            }
            if (rest.size() > 1 && rest[1] == '\n') {
                out += "\r\n";
                i += 2;
                continue;
            }
        }
        const CharacterDecoder::Step step = decoder_.Decode(rest, atEnd);
        if (step.consumed == 0) {
            break;  // the rest begins a character that the next piece ends
        }
        out.append(buffer, static_cast<std::size_t>(PutUtf8Code(buffer, step.code) - buffer));
        i += step.consumed;
    }
    pending_.assign(bytes.substr(i));
}

void MemoTextDecoder::Feed(std::string_view piece, std::string& out) {
    if (pending_.empty()) {
        DecodeInto(piece, false, out);
        return;
    }
    std::string joined = pending_ + std::string(piece);
    DecodeInto(joined, false, out);
}

void MemoTextDecoder::Finish(std::string& out) {
    const std::string rest = std::move(pending_);
    pending_.clear();
    DecodeInto(rest, true, out);
}

}  // namespace tessaro
