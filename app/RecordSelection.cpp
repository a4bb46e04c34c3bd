#include "RecordSelection.h"

#include <QCursor>

#include "app/CommandIds.h"
#include "app/GoToDialog.h"
#include "app/MainWindow.h"
#include "app/QtDesktop.h"
#include "app/RecordListView.h"
#include "table/RecordSearch.h"
#include "table/ShowMemoField.h"

namespace tessaro {

void RecordSelection::HandleRecordListNotify(int code) {
    RecordListView* list = window_.RecordList();
    switch (code) {
        case NM_CLICK:
        case NM_DBLCLK:
            if (list == nullptr) {
                return;
            }
            // Where the mouse is now, not where the click was reported.
            window_.SetCurrentRecordRow(list->HitTest(QCursor::pos()));
            if (code == NM_DBLCLK) {
                ShowMemoField(window_.State(), HandleOf(&window_), &list->Model()->Cells(),
                              window_.CurrentRecordRow());
            }
            break;
        case LVN_COLUMNCLICK:
            window_.Port().ShowMessageBox(nullptr, "Überschrift", "Tessaro", BoxButtons::Ok | BoxIcon::None);
            break;
        default:
            break;
    }
}

void RecordSelection::GoToRecord() {
    auto* dialog = new GoToDialog(&window_);
    QObject::connect(dialog, &GoToDialog::Search, &window_,
                     [this](const QString& text) { SearchAndShow(text); });
    dialog->show();
}

void RecordSelection::SearchAndShow(const QString& text) {
    RecordListView* list = window_.RecordList();
    if (list == nullptr) {
        return;
    }
    const std::int32_t row = FindRowByNumberPrefix(list->Model()->rowCount(), text.toStdString());
    if (row >= 0) {
        list->EnsureRowVisible(row);
    }
}

}  // namespace tessaro
