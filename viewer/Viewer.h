#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/CodePageSelection.h"
#include "viewer/RecordSelection.h"
#include "viewer/TableLoader.h"
#include "viewer/WindowState.h"

namespace tessaro {

// What the program's window does, whatever desktop draws it: the commands of its menu, the
// reactions to the record list, the load of a table and the end of the program. A front
// end creates one Viewer for its window, forwards every command and event to it and draws
// what the viewer asks of its WindowPort; message boxes and the text editor go through
// the DesktopPort.
class Viewer {
public:
    Viewer(WindowPort& window, DesktopPort& desktop, RetryPolicy retry = {});

    // When the window has been created: the prompt in the status line, then the one table
    // of the working folder, if there is exactly one. A front end whose boxes can only be
    // placed over a window that is on the screen calls the two steps apart.
    void Start();
    void ShowPrompt();
    void OpenAtStart();

    // The menu commands, and the clicks of the list. A command that reads the table or
    // shows a box runs alone: one that comes while another runs is refused. Boxes let the
    // window's events through (on Windows a drop, and the menu while a box without owner
    // is open), and a second load there would replace the table under the first.
    void OpenTable();  // "&Anzeigen"
    // Files dropped on the window: the first is opened as if it had been chosen in the
    // dialog of "&Anzeigen" (a table is shown one at a time, as the dialog chooses one);
    // the others are left alone. Paths are whole, in the bytes the system gives them. When
    // the first is no file at all (a folder, a device) nothing is loaded: the table shown
    // stays, and the user hears what a file that holds no table gets.
    void OpenDroppedFiles(const std::vector<std::string>& paths);
    // Whether a drop of these files would be taken now, for a front end that can refuse it
    // before it happens (no drop cursor): not while a command runs, not after the end, and
    // not when the first is no file.
    bool TakesDrop(const std::vector<std::string>& paths) const;
    void OpenMemo();    // "&Memofeld öffnen"
    void GoToRecord();  // "&Gehe zu Satz .."
    void ShowHelp();    // "&Hilfe"
    void ShowVersion();
    // An item of "&Zeichensatz": a code page, none for "Automatisch".
    void ChooseCodePage(std::optional<int> codePage);
    // "&Ende", the window's close button and the end of the desktop session alike: the
    // question sound, every file closed, the event loop ended with 0. Only the first call
    // counts.
    void End();

    // The record list: `row` is the row under the mouse when the click is handled, -1 when
    // the click hit none.
    void OnRowClick(std::int32_t row);
    void OnRowDoubleClick(std::int32_t row);
    void OnHeaderClick();

    // The search of a go-to dialog.
    void SearchRecord(std::string_view text);
    // A record number typed in the list (see RecordSelection::FindTypedRecord).
    std::int32_t FindTypedRecord(std::string_view text, std::int32_t start, bool wrap) const {
        return selection_.FindTypedRecord(text, start, wrap);
    }

    // Memory that runs out in what the window asks of the viewer ends neither the program
    // nor the window: "nicht genügend Arbeitsspeicher !" (message 7), and it goes on, as
    // after a load. A front end runs every command and click through Guarded, where its
    // toolkit calls in. What the window asks while it draws (a cell of the list) cannot
    // show a box there: the front end notes it and, when NoteOutOfMemory says so, has
    // ReportNotedOutOfMemory called from its event queue once the drawing is done. A
    // failure while the box is open, or while a report is due, gives no second box.
    template <typename Action>
    auto Guarded(Action&& action) -> decltype(action()) {
        try {
            return action();
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return decltype(action())();
        }
    }
    void ReportOutOfMemory();
    bool NoteOutOfMemory();
    void ReportNotedOutOfMemory();

    // What the window shows, for front ends and tests.
    const RecordCells& Cells() const { return state_.cells; }
    bool HasRecordList() const { return state_.hasRecordList; }
    std::int32_t CurrentRecordRow() const { return state_.currentRecordRow; }
    const std::string& StatusText() const { return state_.statusText; }
    Session& State() { return state_.session; }

    // The help document's name, and where it is looked for: the working folder, beside the
    // program, the data folder relative to the program and the installed data folder.
    static constexpr const char* kHelpFileName = "tessaro.hlp";
    // The help document and what it shows are read only up to this size each: ours is
    // a few KiB, and any folder can bring its own help, which must neither fill the memory
    // nor hold up the window that shows it. A bigger one counts as none.
    static constexpr std::size_t kHelpFileMaxBytes = 128 << 10;
    std::string FindHelpFile();

private:
    template <typename Command>
    void RunAlone(Command&& command);

    WindowState state_;
    CodePageSelection codePages_;
    TableLoader loader_;
    RecordSelection selection_;
    bool ended_ = false;
    bool busy_ = false;  // a command runs
    bool outOfMemoryNoted_ = false;
    bool reportingOutOfMemory_ = false;
};

}  // namespace tessaro
