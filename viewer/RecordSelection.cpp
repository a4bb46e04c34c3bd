#include "RecordSelection.h"

#include <new>

#include "fileio/ErrorMessage.h"
#include "table/RecordSearch.h"
#include "table/ShowMemoField.h"

namespace tessaro {

void RecordSelection::OnClick(std::int32_t row) {
    if (state_.hasRecordList) {
        state_.currentRecordRow = row;
    }
}

void RecordSelection::OnDoubleClick(std::int32_t row) {
    if (!state_.hasRecordList) {
        return;
    }
    state_.currentRecordRow = row;
    ShowMemo();
}

void RecordSelection::OnHeaderClick() {
    state_.session.Desktop().ShowMessageBox(nullptr, "Überschrift", "Tessaro",
                                            BoxButtons::Ok | BoxIcon::None);
}

void RecordSelection::ShowMemo() {
    try {
        ShowMemoField(state_.session, state_.Owner(),
                      state_.hasRecordList ? &state_.cells : nullptr, state_.currentRecordRow);
    } catch (const std::bad_alloc&) {
        state_.session.access.files.CloseAll();
        ShowErrorMessage(state_.session.Desktop(), kErrOutOfMemory);
    }
}

void RecordSelection::SearchAndShow(std::string_view text) {
    if (!state_.hasRecordList) {
        return;
    }
    const std::int32_t row = FindRowByNumberPrefix(state_.cells.RowCount(), text);
    if (row >= 0) {
        state_.window.EnsureRowVisible(row);
    }
}

std::int32_t RecordSelection::FindTypedRecord(std::string_view text, std::int32_t start,
                                              bool wrap) const {
    if (!state_.hasRecordList) {
        return -1;
    }
    return FindRowByNumberPrefixFrom(state_.cells.RowCount(), text, start, wrap);
}

}  // namespace tessaro
