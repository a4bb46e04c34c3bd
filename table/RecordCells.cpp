#include "RecordCells.h"

namespace tessaro {

std::int16_t RecordCells::Load(Session& session) {
    Clear();
    const std::int16_t result = records_.Load(session);
    if (result == 1) {
        layout_ = session.columns;
    }
    return result;
}

void RecordCells::Clear() {
    records_.Clear();
    layout_ = ColumnLayout{};
}

std::string_view RecordCells::CellText(std::int32_t row, int column) const {
    if (row < 0 || row >= RowCount() || column < 1 || column > ColumnCount()) {
        return {};
    }
    const std::size_t length = FormatColumnTextInto(layout_, static_cast<std::size_t>(column - 1),
                                                    records_.Values(row), text_);
    return std::string_view(text_, length);
}

void RecordCells::AddEvidence(CharacterEvidence& evidence, bool umlautsMatter) const {
    for (std::int32_t row = 0; row < RowCount() && !evidence.Settled(umlautsMatter); ++row) {
        AddRecordEvidence(layout_, records_.Values(row), evidence);
    }
}

CodePageDecision AutomaticCodePage(const Session& session, const RecordCells& cells) {
    return AutomaticCodePage(session, [&cells](CharacterEvidence& evidence, bool umlautsMatter) {
        cells.AddEvidence(evidence, umlautsMatter);
        return true;
    });
}

void UseCodePage(Session& session, RecordCells& cells, int codePage) {
    session.columns.text = CharacterDecoder(codePage);
    cells.SetCharacterDecoder(session.columns.text);
}

int RecordCells::RowImage(std::int32_t row) const {
    if (row < 0 || row >= RowCount()) {
        return kRowImage;
    }
    return RecordHasMemo(layout_, records_.Values(row)) ? kMemoRowImage : kRowImage;
}

}  // namespace tessaro
