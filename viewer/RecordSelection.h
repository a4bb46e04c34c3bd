#pragma once

#include <cstdint>
#include <string_view>

#include "viewer/WindowState.h"

namespace tessaro {

// How the user points at a record: a click in the record list sets the current row, a
// double-click opens the memo, a header click answers, and the go-to search brings a record
// into view.
class RecordSelection {
public:
    explicit RecordSelection(WindowState& state) : state_(state) {}

    // `row` is the row under the mouse when the click is handled, -1 when it hit none.
    void OnClick(std::int32_t row);
    void OnDoubleClick(std::int32_t row);
    void OnHeaderClick();

    // The memo of the row last clicked.
    void ShowMemo();

    // The first row whose record number begins with the text is brought into view.
    // Nothing happens when none does, or when there is no list.
    void SearchAndShow(std::string_view text);

private:
    WindowState& state_;
};

}  // namespace tessaro
