#include "win32/RecordListControl.h"

#include <algorithm>
#include <string>

#include "fileio/win32/WideNames.h"
#include "table/RecordCells.h"
#include "viewer/ColumnWidths.h"
#include "viewer/GoToPlacement.h"
#include "win32/WindowText.h"
#include "win32/resource.h"

namespace tessaro::win32 {

namespace {

// The images of the rows: 0 a record, 1 a marked record, 2 a record with a memo.
HIMAGELIST MakeImageList(HINSTANCE instance, std::initializer_list<int> icons, int width,
                         int height) {
    const HIMAGELIST images = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK,
                                                 static_cast<int>(icons.size()), 0);
    if (images == nullptr) {
        return nullptr;
    }
    for (const int id : icons) {
        const auto icon = static_cast<HICON>(::LoadImageW(
            instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
        ::ImageList_AddIcon(images, icon);
        if (icon != nullptr) {
            ::DestroyIcon(icon);
        }
    }
    return images;
}

// The width of a text in the list's font.
int TextWidth(HWND list, const wchar_t* text) {
    return static_cast<int>(
        ::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
}

}  // namespace

bool RecordListControl::Create(HINSTANCE instance, HWND parent, const RECT& area, HFONT font) {
    Destroy();
    list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS | LVS_REPORT |
                                  LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                              area.left, area.top, area.right - area.left, area.bottom - area.top,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RECORDLIST)),
                              instance, nullptr);
    if (list_ == nullptr) {
        return false;
    }
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const int smallWidth = ::GetSystemMetrics(SM_CXSMICON);
    const int smallHeight = ::GetSystemMetrics(SM_CYSMICON);
    // The list destroys its image lists with itself.
    ::SendMessageW(
        list_, LVM_SETIMAGELIST, LVSIL_SMALL,
        reinterpret_cast<LPARAM>(MakeImageList(
            instance, {IDI_RECORD, IDI_RECORD_MARKED, IDI_RECORD_MEMO}, smallWidth, smallHeight)));
    ::SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_NORMAL,
                   reinterpret_cast<LPARAM>(MakeImageList(instance, {IDI_RECORD_LARGE},
                                                          ::GetSystemMetrics(SM_CXICON),
                                                          ::GetSystemMetrics(SM_CYICON))));

    // The measures of the font: its letters for the widths of the columns, and the room a
    // record number needs beside its image (the list's own margins around both).
    const HDC dc = ::GetDC(list_);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE alphabet = {};
    const std::wstring letters = os::ShownWide(kAverageLetters);
    if (::GetTextExtentPoint32W(dc, letters.c_str(), static_cast<int>(letters.size()), &alphabet) &&
        alphabet.cx > 0) {
        alphabetWidth_ = alphabet.cx;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(list_, dc);
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    recordNumberWidth_ = smallWidth + TextWidth(list_, L"65536") + 6 * edge + 8;
    columns_ = 0;
    cells_ = nullptr;
    return true;
}

void RecordListControl::Destroy() {
    if (list_ != nullptr) {
        ::DestroyWindow(list_);
        list_ = nullptr;
    }
    cells_ = nullptr;
    columns_ = 0;
}

void RecordListControl::Show(bool visible) {
    if (list_ != nullptr) {
        ::ShowWindow(list_, visible ? SW_SHOW : SW_HIDE);
    }
}

void RecordListControl::Move(const RECT& area) {
    if (list_ != nullptr) {
        ::MoveWindow(list_, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     TRUE);
    }
}

void RecordListControl::AddColumn(std::string_view heading, int width, std::string_view wholeText) {
    if (list_ == nullptr) {
        return;
    }
    std::wstring text = os::ShownWide(heading);
    int shown = ScaledColumnWidth(width, alphabetWidth_, static_cast<int>(kAverageLetters.size()));
    if (columns_ == 0) {
        shown = std::max(shown, recordNumberWidth_);
    } else if (!wholeText.empty()) {
        // The list keeps a margin on both sides of a cell's text.
        const int margins = 6 * ::GetSystemMetrics(SM_CXEDGE) + 4;
        shown = std::max(shown, TextWidth(list_, os::ShownWide(wholeText).c_str()) + margins);
    }
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = shown;
    column.pszText = text.data();
    column.iSubItem = columns_;
    if (::SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_),
                       reinterpret_cast<LPARAM>(&column)) >= 0) {
        ++columns_;
    }
}

void RecordListControl::SetHeading(int column, std::string_view heading) {
    if (list_ == nullptr || column < 0 || column >= columns_) {
        return;
    }
    std::wstring text = os::ShownWide(heading);
    LVCOLUMNW change = {};
    change.mask = LVCF_TEXT;
    change.pszText = text.data();
    ::SendMessageW(list_, LVM_SETCOLUMNW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&change));
}

void RecordListControl::Redraw() {
    if (list_ != nullptr) {
        ::InvalidateRect(list_, nullptr, TRUE);
    }
}

void RecordListControl::SetRows(const RecordCells& cells) {
    if (list_ == nullptr) {
        return;
    }
    cells_ = &cells;
    ::SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(cells.RowCount()), 0);
    // No row selected or focused after a load: the first Down key goes to record 1.
    LVITEMW none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    none.state = 0;
    ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&none));
    ::SendMessageW(list_, LVM_SETSELECTIONMARK, 0, -1);
    ::InvalidateRect(list_, nullptr, TRUE);
}

// The rows of the list, from `firstTop` down, that a window at `covering` hides wholly or
// in part.
std::vector<bool> RecordListControl::CoveredSlots(int count, LONG firstTop, LONG rowHeight,
                                                  const std::vector<RECT>& covering) const {
    RECT client = {};
    ::GetClientRect(list_, &client);
    std::vector<bool> covered(static_cast<std::size_t>(std::max(count, 0)), false);
    for (std::size_t slot = 0; slot < covered.size(); ++slot) {
        const LONG top = firstTop + static_cast<LONG>(slot) * rowHeight;
        RECT band = {client.left, top, client.right, std::min(client.bottom, top + rowHeight)};
        ::MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&band), 2);
        for (const RECT& window : covering) {
            RECT both = {};
            covered[slot] = covered[slot] || ::IntersectRect(&both, &band, &window) != FALSE;
        }
    }
    return covered;
}

void RecordListControl::EnsureVisible(std::int32_t row, const std::vector<RECT>& covering) {
    if (list_ == nullptr) {
        return;
    }
    RowPage page;
    page.top = static_cast<std::int32_t>(::SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
    page.fullSlots = static_cast<std::int32_t>(::SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    page.rowCount = static_cast<std::int32_t>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    if (row < 0 || row >= page.rowCount) {
        return;
    }
    RECT first = {};
    first.left = LVIR_BOUNDS;
    RECT client = {};
    if (!::SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(page.top),
                        reinterpret_cast<LPARAM>(&first)) ||
        !::GetClientRect(list_, &client) || first.bottom <= first.top) {
        // TRUE: a row partly in view counts as visible.
        ::SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), TRUE);
        return;
    }
    const LONG rowHeight = first.bottom - first.top;
    page.shownSlots =
        static_cast<std::int32_t>((client.bottom - first.top + rowHeight - 1) / rowHeight);
    const std::int32_t top = TopRowShowingClear(
        row, page, CoveredSlots(page.shownSlots, first.top, rowHeight, covering));
    if (top != page.top) {
        ::SendMessageW(list_, LVM_SCROLL, 0, static_cast<LPARAM>((top - page.top) * rowHeight));
    }
}

std::int32_t RecordListControl::RowUnderCursor() const {
    if (list_ == nullptr) {
        return -1;
    }
    // Where the mouse is when the click is handled, not where it was pressed.
    LVHITTESTINFO hit = {};
    if (!::GetCursorPos(&hit.pt) || !::ScreenToClient(list_, &hit.pt)) {
        return -1;
    }
    return static_cast<std::int32_t>(
        ::SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void RecordListControl::FillItem(LVITEMW& item) const {
    if (cells_ == nullptr || item.iItem < 0 || item.iItem >= cells_->RowCount()) {
        return;
    }
    const std::int32_t row = item.iItem;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        const auto capacity = static_cast<std::size_t>(item.cchTextMax);
        if (item.iSubItem == 0) {
            CopyCellText(std::to_string(row + 1), item.pszText, capacity);
        } else {
            CopyCellText(cells_->CellText(row, item.iSubItem), item.pszText, capacity);
        }
    }
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0) {
        item.iImage = cells_->RowImage(row);
    }
}

}  // namespace tessaro::win32
