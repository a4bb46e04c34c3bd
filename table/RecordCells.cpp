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

int RecordCells::RowImage(std::int32_t row) const {
    if (row < 0 || row >= RowCount()) {
        return kRowImage;
    }
    return RecordHasMemo(layout_, records_.Values(row)) ? kMemoRowImage : kRowImage;
}

}  // namespace tessaro
