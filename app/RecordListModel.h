#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include "table/CellStore.h"

namespace tessaro {

// The record list's contents for the view: column 0 the record number with the row's
// image, columns 1 .. FieldCount the cell texts of the compact store.
class RecordListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordListModel(QObject* parent);

    // Empties the list and gives it `rows` rows of the current columns.
    void SetRowCount(std::int32_t rows);
    // Replaces the value columns (1 and up) by columns with these headings.
    void SetFieldColumns(const QStringList& headings);

    // The cells as the core fills them; call BeginFill/EndFill around the filling.
    CellStore& Cells() { return cells_; }
    const CellStore& Cells() const { return cells_; }
    void BeginFill();
    void EndFill();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr const char* kRecordNumberHeading = "Satznr.";

private:
    CellStore cells_;
    QStringList headings_;  // of columns 1 and up
    QIcon smallImages_[3];  // the small image list: icons 1000, 1002, 1003
    QIcon largeImage_;      // the large image list: icon 1001 (not shown in report view)
};

}  // namespace tessaro
