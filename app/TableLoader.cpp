#include "TableLoader.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>

#include "app/CommandIds.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/QtDesktop.h"
#include "app/RecordListView.h"
#include "fileio/FileSystem.h"
#include "table/ColumnLayout.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"

namespace tessaro {

namespace {

QString FileNameText(const std::string& fileName) {
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

QString SummaryText(const TableInfo& info) {
    return FileNameText(info.FileName) + QStringLiteral(", ") + QString::number(info.RecordCount) +
           (info.IsLevel5 != 0 ? QStringLiteral(" Records, Format DBase 5")
                               : QStringLiteral(" Records, Format DBase 7"));
}

}  // namespace

void TableLoader::CreateHiddenRecordList() {
    if (RecordListView* list = window_.CreateRecordList()) {
        AddRecordNumberColumn(list);
        list->hide();
    }
}

void TableLoader::OpenCommand() {
    window_.DestroyRecordList();
    CreateHiddenRecordList();
    if (!ChooseTableFile()) {
        return;
    }
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
    request.title = QStringLiteral("DBF Datei öffnen :");
    request.fileName = QStringLiteral("*.DBF");
    request.initialDirectory = QDir::currentPath();
    request.filter = QStringLiteral("dbf Datei|*.dbf|Alle Dateien|*.*");
    request.defaultExtension = QStringLiteral("dbf");
    request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
    if (window_.Port().ShowOpenDialog(&window_, request)) {
        // The whole path: a cut path would name another file.
        window_.State().tableInfo.FileName = QFile::encodeName(request.fileName).toStdString();
        return true;
    }
    window_.Port().ShowMessageBox(HandleOf(&window_),
                              "Sie haben kein dbf File ausgewählt.\r\nDer Viewer kann nur DBase "
                              "Dateien\r\nöffnen.",
                              "Tessaro Dateifehler - Benutzerabbruch", BoxButtons::Ok | BoxIcon::Stop);
    window_.Port().PostQuit(0);
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
    window_.State().tableInfo.FileName = names.front();
    return 1;
}

bool TableLoader::LoadTable(bool setMemoItem) {
    Session& session = window_.State();
    if (ReadTableHeader(session, session.tableInfo.FileName, HandleOf(&window_)) == 0) {
        window_.SetStatusText(QStringLiteral("Datei ist gesperrt"));
        return false;
    }
    window_.SetStatusText(QStringLiteral("Lese Datei ...."));
    window_.PaintStatusLineNow();  // the load blocks the window: its progress shows now
    RecordListView* list = window_.RecordList();
    InsertRecordRows();
    AddFieldColumns(list);
    CellStore noList;  // stands in when there is no list: its operations have no effect
    RecordListModel* model = list != nullptr ? list->Model() : nullptr;
    if (model != nullptr) {
        model->BeginFill();
    }
    const std::int16_t filled = FillRecordCells(session, model != nullptr ? model->Cells() : noList);
    if (model != nullptr) {
        model->EndFill();
    }
    if (filled == 0) {
        ShowLockedWhileReading(session, HandleOf(&window_));
        return false;
    }
    if (list != nullptr) {
        list->show();
    }
    window_.SetStatusText(SummaryText(session.tableInfo));
    if (setMemoItem) {
        window_.Menu()->Item(IDM_MEMO)->setEnabled(session.tableInfo.MemoFieldCount > 0);
    }
    return true;
}

void TableLoader::InsertRecordRows() {
    if (RecordListView* list = window_.RecordList()) {
        list->Model()->SetRowCount(std::max<std::int32_t>(0, window_.State().tableInfo.RecordCount));
    }
}

void TableLoader::AddRecordNumberColumn(RecordListView* list) {
    list->header()->resizeSection(0, kRecordNumberColumnWidth);
}

void TableLoader::AddFieldColumns(RecordListView* list) {
    if (list == nullptr) {
        return;
    }
    const Session& session = window_.State();
    QStringList headings;
    for (int i = 1; i <= session.tableInfo.FieldCount; ++i) {
        headings << QString::fromStdString(ColumnHeading(session.fieldTable[i]));
    }
    list->Model()->SetFieldColumns(headings);
    list->header()->resizeSection(0, kRecordNumberColumnWidth);
    for (int i = 1; i <= session.tableInfo.FieldCount; ++i) {
        list->header()->resizeSection(i, ColumnWidth(session.fieldTable[i]));
    }
}

}  // namespace tessaro
