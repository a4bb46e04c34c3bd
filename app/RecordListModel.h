#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include <functional>

#include "table/RecordCells.h"

namespace tessaro {

// The record list's contents for the view: column 0 the record number with the row's
// image, the other columns the cell texts, which the viewer's records give when asked.
class RecordListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordListModel(QObject* parent);

    void AddColumn(const QString& heading);
    void SetHeading(int column, const QString& heading);
    // Every cell is asked again: their texts have changed.
    void CellsChanged();
    // The rows are those of the store, which outlives the list.
    void SetRows(const RecordCells& cells);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Called when memory does not suffice for a cell's text, which then stays empty.
    std::function<void()> onOutOfMemory;

private:
    const RecordCells* cells_ = nullptr;
    QStringList headings_;  // column 0 first
    QIcon rowImages_[3];    // the small images: every row, unused, rows with a memo
};

}  // namespace tessaro
