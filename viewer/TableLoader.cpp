#include "TableLoader.h"

#include <algorithm>
#include <new>

#include "fileio/ErrorMessage.h"
#include "fileio/FileSystem.h"
#include "table/ColumnLayout.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/TextConversion.h"
#include "viewer/ColumnWidths.h"

namespace tessaro {

namespace {

std::string SummaryText(const TableInfo& info) {
    return ShownFileName(info.FileName) + ", " + std::to_string(info.RecordCount) +
           " Records, Format " + std::string(TableFormatName(info));
}

}  // namespace

void TableLoader::CreateHiddenRecordList() {
    state_.hasRecordList = state_.window.CreateRecordList();
    state_.cells.Clear();
    codePages_.ForgetTable();
    if (state_.hasRecordList) {
        AddRecordNumberColumn();
        state_.window.SetRows(state_.cells);
        state_.window.ShowRecordList(false);
    }
}

void TableLoader::ReplaceRecordList() {
    if (state_.hasRecordList) {
        state_.window.DestroyRecordList();
        state_.hasRecordList = false;
    }
    CreateHiddenRecordList();
}

void TableLoader::OpenCommand() {
    ReplaceRecordList();
    if (!ChooseTableFile()) {
        return;
    }
    LoadTable(true);
}

void TableLoader::OpenChosenTable(std::string path) {
    ReplaceRecordList();
    state_.session.tableInfo.FileName = std::move(path);
    LoadTable(true);
}

void TableLoader::AutomaticOpenAtStart() {
    if (FindSingleFile("*.dbf") != 1) {
        return;
    }
    CreateHiddenRecordList();
    LoadTable(false);
}

bool TableLoader::ChooseTableFile() {
    OpenDialogRequest request;
    request.title = "DBF Datei öffnen :";
    request.fileName = "*.DBF";
    request.filter = "dbf Datei|*.dbf|Alle Dateien|*.*";
    request.defaultExtension = "dbf";
    request.flags = kOpenHideReadOnly | kOpenFileMustExist | kOpenLongNames;
    if (std::optional<std::string> chosen = state_.window.ShowOpenDialog(request)) {
        // The whole path: a cut path would name another file.
        state_.session.tableInfo.FileName = std::move(*chosen);
        return true;
    }
    state_.session.Desktop().ShowMessageBox(
        state_.Owner(),
        "Sie haben kein dbf File ausgewählt.\r\nDer Viewer kann nur DBase Dateien\r\nöffnen.",
        "Tessaro Dateifehler - Benutzerabbruch", BoxButtons::Ok | BoxIcon::Stop);
    state_.window.Quit(0);
    return false;
}

std::int16_t TableLoader::FindSingleFile(const std::string& pattern) {
    const std::vector<std::string> names = FindMatchingFiles(pattern, 2);
    if (names.empty()) {
        return 0;
    }
    if (names.size() > 1) {
        return 2;
    }
    state_.session.tableInfo.FileName = names.front();
    return 1;
}

bool TableLoader::LoadTable(bool setMemoItem) {
    Session& session = state_.session;
    if (ReadTableHeader(session, session.tableInfo.FileName, state_.Owner()) == 0) {
        state_.SetStatusText("Datei ist gesperrt");
        return false;
    }
    state_.SetStatusText("Lese Datei ....");
    if (!FillList()) {
        return false;
    }
    if (state_.hasRecordList) {
        state_.window.ShowRecordList(true);
    }
    state_.SetStatusText(SummaryText(session.tableInfo));
    if (setMemoItem) {
        state_.window.EnableMemoItem(session.tableInfo.MemoFieldCount > 0);
    }
    return true;
}

// Columns and rows; false when the table could not be read after all. Without a record
// list the same happens, and the list operations have no effect.
bool TableLoader::FillList() {
    Session& session = state_.session;
    try {
        // The records first: the code page of the headings may depend on them.
        const std::int16_t loaded = state_.cells.Load(session);
        codePages_.ApplyToLoadedTable();
        AddFieldColumns();
        if (loaded == 0) {
            ShowLockedWhileReading(session, state_.Owner());
            return false;
        }
        if (state_.hasRecordList) {
            state_.window.SetRows(state_.cells);
        }
    } catch (const std::bad_alloc&) {
        // A table too big for the memory there is: the program goes on with an empty list.
        session.access.files.CloseAll();
        state_.cells.Clear();
        codePages_.ForgetTable();
        if (state_.hasRecordList) {
            state_.window.SetRows(state_.cells);
        }
        ShowErrorMessage(session.Desktop(), kErrOutOfMemory);
        state_.SetStatusText("Datei ist gesperrt");
        return false;
    }
    return true;
}

void TableLoader::AddRecordNumberColumn() {
    state_.window.AddColumn(kRecordNumberHeading, kRecordNumberColumnWidth, {});
}

void TableLoader::AddFieldColumns() {
    if (!state_.hasRecordList) {
        return;
    }
    const Session& session = state_.session;
    for (const ShownColumn& column : session.columns.columns) {
        const FieldDesc& field = session.fieldTable[column.field];
        state_.window.AddColumn(ColumnHeading(field, session.columns.text), ColumnWidth(field),
                                FixedFormText(field, session.columns.dialect));
    }
}

}  // namespace tessaro
