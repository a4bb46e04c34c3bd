#pragma once

#include <cstdint>
#include <string_view>

#include "table/CodePageChoice.h"
#include "table/ColumnLayout.h"
#include "table/FieldValue.h"
#include "table/RecordList.h"
#include "table/RecordSnapshot.h"

namespace tessaro {

// The record list's contents: the records of the table as read, each cell turned into text
// only when it is asked for (when a front end draws it), by the one rule for a cell's text.
class RecordCells final : public CellTexts {
public:
    // Reads the records of the session's table, whose header was read before; see
    // RecordSnapshot::Load. On every outcome but 1 the list is empty.
    std::int16_t Load(Session& session);
    void Clear();

    // The code page the texts are shown in from now on; the records stay as read.
    void SetCharacterDecoder(const CharacterDecoder& text) { layout_.text = text; }
    // Adds the evidence of the records held (see AddRecordEvidence) until it is settled.
    void AddEvidence(CharacterEvidence& evidence, bool umlautsMatter) const;

    std::int32_t RowCount() const override { return records_.RowCount(); }
    int ColumnCount() const { return layout_.ColumnCount(); }
    // Valid until the next call.
    std::string_view CellText(std::int32_t row, int column) const override;
    // kMemoRowImage for a record that refers to a memo, else kRowImage.
    int RowImage(std::int32_t row) const;

    // Bytes held, for the memory promises.
    std::size_t MemoryBytes() const { return records_.MemoryBytes(); }

private:
    RecordSnapshot records_;
    ColumnLayout layout_;
    mutable char text_[kCellTextRoom];
};

// The code page the session's table decides by itself, its records read from `cells`.
CodePageDecision AutomaticCodePage(const Session& session, const RecordCells& cells);

// Makes `codePage` the one of the session's table (its names, values and memos) and of the
// cells shown of it.
void UseCodePage(Session& session, RecordCells& cells, int codePage);

}  // namespace tessaro
