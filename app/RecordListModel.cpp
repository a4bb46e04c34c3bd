#include "RecordListModel.h"

namespace tessaro {

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractTableModel(parent),
      smallImages_{QIcon(QStringLiteral(":/res/icon1000.png")), QIcon(QStringLiteral(":/res/icon1002.png")),
                   QIcon(QStringLiteral(":/res/icon1003.png"))},
      largeImage_(QStringLiteral(":/res/icon1001.png")) {}

void RecordListModel::SetRowCount(std::int32_t rows) {
    beginResetModel();
    cells_.Reset(rows, static_cast<int>(headings_.size()));
    endResetModel();
}

void RecordListModel::SetFieldColumns(const QStringList& headings) {
    beginResetModel();
    headings_ = headings;
    cells_.Reset(cells_.RowCount(), static_cast<int>(headings_.size()));
    endResetModel();
}

void RecordListModel::BeginFill() { beginResetModel(); }

void RecordListModel::EndFill() { endResetModel(); }

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cells_.RowCount();
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + static_cast<int>(headings_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        if (index.column() == 0) {
            return QString::number(index.row() + 1);
        }
        return QString::fromUtf8(cells_.CellChars(index.row(), index.column()));
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        const int image = cells_.RowImage(index.row());
        return image >= 0 && image < 3 ? smallImages_[image] : QIcon();
    }
    return {};
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    if (section == 0) {
        return QString::fromLatin1(kRecordNumberHeading);
    }
    return section - 1 < headings_.size() ? headings_[section - 1] : QVariant();
}

}  // namespace tessaro
