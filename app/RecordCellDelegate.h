#pragma once

#include <QStyledItemDelegate>

namespace tessaro {

// Paints the cells of the record list: the row's panel as the style draws it, the image of
// column 0, and the text in one line, cut with "..." only when it does not fit. A list of
// 65536 rows and 128 columns is painted often; the general delegate lays out every text.
class RecordCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace tessaro
