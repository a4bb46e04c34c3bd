#include "CellStore.h"

#include <cstring>

namespace tessaro {

namespace {

constexpr unsigned kBlockBits = 20;
constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;         // 1 MiB
constexpr std::uint32_t kEmptyText = 0;                                  // the NUL at offset 0
constexpr std::size_t kMaxBlocks = std::size_t{1} << (32 - kBlockBits);  // 32-bit offsets

}  // namespace

CellStore::CellStore() { Reset(0, 0); }

void CellStore::Reset(std::int32_t rows, int fieldColumns) {
    rows_ = rows < 0 ? 0 : rows;
    fieldColumns_ = fieldColumns < 0 ? 0 : fieldColumns;
    cells_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(fieldColumns_),
                  kEmptyText);
    rowImages_.assign(static_cast<std::size_t>(rows_), 0);
    lastInColumn_.assign(static_cast<std::size_t>(fieldColumns_), LastText{});
    blocks_.clear();
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
    blocks_.front()[0] = '\0';
    blockFill_ = 1;
}

bool CellStore::IsCell(std::int32_t row, int column) const {
    return row >= 0 && row < rows_ && column >= 1 && column <= fieldColumns_;
}

const char* CellStore::At(Offset offset) const {
    return blocks_[offset >> kBlockBits].get() + (offset & (kBlockSize - 1));
}

CellStore::Offset CellStore::Append(std::string_view text) {
    const std::size_t needed = text.size() + 1;
    if (blockFill_ + needed > kBlockSize) {
        if (blocks_.size() == kMaxBlocks) {
            return kEmptyText;  // more text than any table of 65536 records can hold
        }
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
        blockFill_ = 0;
    }
    char* place = blocks_.back().get() + blockFill_;
    std::memcpy(place, text.data(), text.size());
    place[text.size()] = '\0';
    const auto offset = static_cast<Offset>(((blocks_.size() - 1) << kBlockBits) | blockFill_);
    blockFill_ += needed;
    return offset;
}

void CellStore::SetCellText(std::int32_t row, int column, std::string_view text) {
    if (!IsCell(row, column) || text.size() >= kBlockSize) {
        return;
    }
    LastText& last = lastInColumn_[static_cast<std::size_t>(column - 1)];
    Offset offset = kEmptyText;
    if (!text.empty()) {
        const char* previous = At(last.offset);
        // Most values differ from the one above them in their first byte already.
        const bool repeats = last.length == text.size() && previous[0] == text[0] &&
                             std::memcmp(previous, text.data(), text.size()) == 0;
        offset = repeats ? last.offset : Append(text);
    }
    last = {offset, text.size()};
    cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(fieldColumns_) +
           static_cast<std::size_t>(column - 1)] = offset;
}

const char* CellStore::CellChars(std::int32_t row, int column) const {
    if (!IsCell(row, column)) {
        return At(kEmptyText);
    }
    return At(cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(fieldColumns_) +
                     static_cast<std::size_t>(column - 1)]);
}

std::string_view CellStore::CellText(std::int32_t row, int column) const {
    return CellChars(row, column);
}

void CellStore::SetRowImage(std::int32_t row, int image) {
    if (row >= 0 && row < rows_) {
        rowImages_[static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(image);
    }
}

int CellStore::RowImage(std::int32_t row) const {
    return row >= 0 && row < rows_ ? rowImages_[static_cast<std::size_t>(row)] : 0;
}

std::size_t CellStore::MemoryBytes() const {
    return cells_.capacity() * sizeof(Offset) + rowImages_.capacity() + blocks_.size() * kBlockSize;
}

}  // namespace tessaro
