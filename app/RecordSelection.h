#pragma once

#include <QString>

namespace tessaro {

class MainWindow;

// How the user points at a record: clicks in the record list set the current row, a
// double-click opens the memo, a header click answers, and "Gehe zu Satz .." dialogs bring
// a record into view.
class RecordSelection {
public:
    explicit RecordSelection(MainWindow& window) : window_(window) {}

    void HandleRecordListNotify(int code);

    // Opens one more go-to dialog; it searches the record list shown at the time.
    void GoToRecord();

    // The dialog's search: the first row whose record number begins with the text is
    // brought into view. Nothing happens when none does, or when there is no list.
    void SearchAndShow(const QString& text);

private:
    MainWindow& window_;
};

}  // namespace tessaro
