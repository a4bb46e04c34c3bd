#pragma once

#include <cstdint>
#include <string>

#include "viewer/CodePageSelection.h"
#include "viewer/WindowState.h"

namespace tessaro {

// Opening a table and loading it into the record list: by the open command, or at start
// when the working folder holds exactly one table.
class TableLoader {
public:
    TableLoader(WindowState& state, CodePageSelection& codePages)
        : state_(state), codePages_(codePages) {}

    // "&Anzeigen": a fresh, hidden list, the open dialog, the load, the memo item.
    void OpenCommand();
    // The same with `path` as the file chosen, for a table dropped on the window.
    void OpenChosenTable(std::string path);
    // At start: the one table of the working folder, if there is exactly one.
    void AutomaticOpenAtStart();

private:
    // The open dialog. False when the user cancelled: then the program is ending.
    bool ChooseTableFile();
    // 0: no file matches; 1: exactly one (now FileName); 2: more than one.
    std::int16_t FindSingleFile(const std::string& pattern);
    void CreateHiddenRecordList();
    // The previous table's list goes, whatever happens later.
    void ReplaceRecordList();
    // Reads the table FileName into the record list; true when it is shown.
    bool LoadTable(bool setMemoItem);
    bool FillList();
    void AddRecordNumberColumn();
    void AddFieldColumns();

    WindowState& state_;
    CodePageSelection& codePages_;
};

}  // namespace tessaro
