#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fileio/DesktopPort.h"

namespace tessaro {

class RecordCells;

// The open dialog's request, with the meaning of the Windows dialog: a title, the text of
// the file name field, an initial folder (empty: the current one), "description|pattern|..."
// filters, a default extension and the option flags. Texts are UTF-8.
struct OpenDialogRequest {
    std::string title;
    std::string fileName;
    std::string initialDirectory;
    std::string filter;
    std::string defaultExtension;
    unsigned flags = 0;
};

// The dialog's option flags, by the values of the Windows API.
inline constexpr unsigned kOpenHideReadOnly = 0x00000004;
inline constexpr unsigned kOpenFileMustExist = 0x00001000;
inline constexpr unsigned kOpenLongNames = 0x00200000;

// What the viewer's behaviour needs of the window it runs in: what any desktop can do.
// The front ends (Qt, Win32) implement it and only draw and forward; tests script it.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // The main window, as the owner of the boxes shown for it.
    virtual WindowHandle OwnerWindow() = 0;

    // The record list: a new, empty list over the client area, visible; false when none
    // could be made. Only one exists at a time.
    virtual bool CreateRecordList() = 0;
    virtual void DestroyRecordList() = 0;
    virtual void ShowRecordList(bool visible) = 0;
    // Appends a column; `width` is in pixels of the small system font the columns were
    // first measured in, and the front end scales it to the font it shows. The column is
    // at least as wide as `wholeText` (when not empty) needs in that font.
    virtual void AddColumn(std::string_view heading, int width, std::string_view wholeText) = 0;
    // The rows are those of `cells` (record numbers, images and texts), now and until the
    // next call; the list asks it for the text and image of the rows it draws.
    virtual void SetRows(const RecordCells& cells) = 0;
    // The heading of a field's column (1 and up) anew, for the names in another code page.
    virtual void SetColumnHeading(int column, std::string_view heading) = 0;
    // The rows are drawn anew from the cells given last, whose texts have changed.
    virtual void RedrawRows() = 0;
    // Scrolls as little as needed to bring a row into view, clear of every go-to dialog
    // where the list can scroll that far; a row partly visible (and clear) counts as
    // visible. Selection and focus stay as they are.
    virtual void EnsureRowVisible(std::int32_t row) = 0;

    // The status line shows the text (already cut to its length).
    virtual void SetStatusText(std::string_view text) = 0;
    // "&Memofeld öffnen" enabled or grayed.
    virtual void EnableMemoItem(bool enabled) = 0;
    // The menu "&Zeichensatz" (its items those of KnownCodePages(), after "Automatisch"):
    // the text of "Automatisch" and the code page checked, none for "Automatisch".
    virtual void SetCodePageMenu(std::string_view automaticText, std::optional<int> chosen) = 0;

    // The open dialog; the chosen path, or none when the user cancelled.
    virtual std::optional<std::string> ShowOpenDialog(const OpenDialogRequest& request) = 0;
    // One more modeless "Gehe zu Satz .." dialog; its "Suchen" calls Viewer::SearchRecord.
    virtual void ShowGoToDialog() = 0;
    // One more modeless version box, with the lines of kVersionLines.
    virtual void ShowVersionBox() = 0;
    // The help document in a window (or the desktop's viewer for it).
    virtual void ShowHelp(const std::string& helpFile) = 0;
    // The folder the program was started from, where its help lies beside it, and the
    // folder of its data where it was installed (as it was built for).
    virtual std::string ProgramFolder() = 0;
    virtual std::string DataFolder() = 0;

    // The system's question sound.
    virtual void BeepQuestion() = 0;
    // Ends the event loop with this exit code.
    virtual void Quit(int exitCode) = 0;
};

}  // namespace tessaro
