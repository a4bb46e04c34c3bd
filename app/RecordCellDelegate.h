#pragma once

#include <QStyledItemDelegate>

namespace tessaro {

// What a cell shows of its text in `width` pixels: the text without its trailing blanks,
// which belong to the value but show nothing and so never cause the "…", cut with "…" only
// when the rest does not fit.
QString ShownCellText(const QString& text, const QFontMetrics& metrics, int width);

// Paints the cells of the record list: the row's panel as the style draws it, the image of
// column 0, and the text in one line, cut with "..." only when its visible part does not
// fit. A list of
// 65536 rows and 128 columns is painted often; the general delegate lays out every text.
class RecordCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Memory that does not suffice for a cell leaves it unpainted and is told to the
    // record list's model.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void PaintCell(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
};

}  // namespace tessaro
