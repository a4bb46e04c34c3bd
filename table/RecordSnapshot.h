#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "table/Session.h"

namespace tessaro {

// The records of a table as the file held them when it was read: the viewer's own copy,
// which another program's later change of the file does not touch. Only the bytes that the
// columns show are kept, in blocks, so that no single allocation has to hold the table.
class RecordSnapshot {
public:
    // Reads every record of the session's table (its header and columns read before). 1 when
    // read; 0 when the table could not be opened (after the retry box), and then it holds no
    // record. Throws std::bad_alloc, holding no record, when the records do not fit in
    // memory; the table file is closed again in every case.
    std::int16_t Load(Session& session);
    void Clear();

    std::int32_t RowCount() const { return rows_; }
    // The value bytes of a record that the file held (fewer at its end, none beyond it).
    std::string_view Values(std::int32_t row) const;

    std::size_t MemoryBytes() const;

private:
    void Allocate(std::int64_t rowsInFile);

    std::int32_t rows_ = 0;
    std::int64_t rowBytes_ = 1;
    std::int64_t blockRows_ = 1;
    std::vector<std::unique_ptr<char[]>> blocks_;
    // The bytes held of each record in the file, in 16 bits where its needed bytes fit in
    // them (every table but those of character fields beyond 255 bytes), else in 32.
    std::vector<std::uint16_t> shortLengths_;
    std::vector<std::uint32_t> longLengths_;
    bool longRows_ = false;
    std::size_t RowsHeld() const { return longRows_ ? longLengths_.size() : shortLengths_.size(); }
};

}  // namespace tessaro
