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

    // A record number typed in the list: the first row from `start` on whose number
    // begins with the text, with `wrap` from the top again; -1 when there is none, and
    // then the list stays where it is.
    std::int32_t FindTypedRecord(std::string_view text, std::int32_t start, bool wrap) const;

private:
    WindowState& state_;
};

}  // namespace tessaro
