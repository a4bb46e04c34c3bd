#include "RecordListModel.h"

#include <new>

#include "table/RecordList.h"

namespace tessaro {

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractTableModel(parent),
      rowImages_{QIcon(QStringLiteral(":/res/icon1000.png")),
                 QIcon(QStringLiteral(":/res/icon1002.png")),
                 QIcon(QStringLiteral(":/res/icon1003.png"))} {}

void RecordListModel::AddColumn(const QString& heading) {
    const int column = static_cast<int>(headings_.size());
    beginInsertColumns(QModelIndex(), column, column);
    headings_ << heading;
    endInsertColumns();
}

void RecordListModel::SetHeading(int column, const QString& heading) {
    if (column >= 0 && column < headings_.size()) {
        headings_[column] = heading;
        emit headerDataChanged(Qt::Horizontal, column, column);
    }
}

void RecordListModel::CellsChanged() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
}

void RecordListModel::SetRows(const RecordCells& cells) {
    beginResetModel();
    cells_ = &cells;
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || cells_ == nullptr ? 0 : cells_->RowCount();
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || cells_ == nullptr) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        try {
            if (index.column() == 0) {
                return QString::number(index.row() + 1);
            }
            // Made now, when the view draws the cell.
            const std::string_view text = cells_->CellText(index.row(), index.column());
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        } catch (const std::bad_alloc&) {
            if (onOutOfMemory) {
                onOutOfMemory();
            }
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        const int image = cells_->RowImage(index.row());
        return image >= 0 && image < 3 ? rowImages_[image] : QIcon();
    }
    return {};
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headings_.size()) {
        return {};
    }
    return headings_[section];
}

}  // namespace tessaro
