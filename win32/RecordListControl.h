#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string_view>
#include <vector>

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
    // "65536" beside its image, the others for `wholeText` (when not empty).
    void AddColumn(std::string_view heading, int width, std::string_view wholeText);
    void SetRows(const RecordCells& cells);
    // The heading of a column anew (0 is the record number's).
    void SetHeading(int column, std::string_view heading);
    // Every cell is asked again when it is drawn next: their texts have changed.
    void Redraw();
    // Scrolls as little as needed to bring a row into view, clear of the windows at
    // `covering` (screen coordinates) where the list can scroll that far; a row partly in
    // view and clear counts as visible.
    void EnsureVisible(std::int32_t row, const std::vector<RECT>& covering);

    // The row under the mouse now, -1 when none.
    std::int32_t RowUnderCursor() const;
    // The text and image of a cell, as the list asks for them.
    void FillItem(LVITEMW& item) const;

private:
    std::vector<bool> CoveredSlots(int count, LONG firstTop, LONG rowHeight,
                                   const std::vector<RECT>& covering) const;

    HWND list_ = nullptr;
    const RecordCells* cells_ = nullptr;
    int columns_ = 0;
    int alphabetWidth_ = 6 * 52;
    int recordNumberWidth_ = 0;
};

}  // namespace tessaro::win32
