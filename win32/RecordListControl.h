#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string_view>

namespace tessaro {
class RecordCells;
}

namespace tessaro::win32 {

// The record list: a report list view whose rows are asked of the viewer's records only
// when they are drawn (owner data), so that 65536 records are there at once.
class RecordListControl {
public:
    RecordListControl() = default;
    RecordListControl(const RecordListControl&) = delete;
    RecordListControl& operator=(const RecordListControl&) = delete;
    ~RecordListControl() { Destroy(); }

    bool Create(HINSTANCE instance, HWND parent, const RECT& area, HFONT font);
    void Destroy();
    HWND Handle() const { return list_; }

    void Show(bool visible);
    void Move(const RECT& area);
    // `width` in pixels of the small system font; column 0 is at least wide enough for
    // "65536" beside its image.
    void AddColumn(std::string_view heading, int width);
    void SetRows(const RecordCells& cells);
    void EnsureVisible(std::int32_t row);

    // The row under the mouse now, -1 when none.
    std::int32_t RowUnderCursor() const;
    // The text and image of a cell, as the list asks for them.
    void FillItem(LVITEMW& item) const;

private:
    HWND list_ = nullptr;
    const RecordCells* cells_ = nullptr;
    int columns_ = 0;
    int alphabetWidth_ = 6 * 52;
    int recordNumberWidth_ = 0;
};

}  // namespace tessaro::win32
