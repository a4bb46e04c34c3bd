#include "RecordCellDelegate.h"

#include <QApplication>
#include <QPainter>

#include <new>

#include "app/RecordListModel.h"

namespace tessaro {

QString ShownCellText(const QString& text, const QFontMetrics& metrics, int width) {
    qsizetype visible = text.size();
    while (visible > 0 && text[visible - 1] == QLatin1Char(' ')) {
        --visible;
    }
    const QString printed = text.left(visible);
    return metrics.horizontalAdvance(printed) <= width
               ? printed
               : metrics.elidedText(printed, Qt::ElideRight, width);
}

void RecordCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    try {
        PaintCell(painter, option, index);
    } catch (const std::bad_alloc&) {
        const auto* model = qobject_cast<const RecordListModel*>(index.model());
        if (model != nullptr && model->onOutOfMemory) {
            model->onOutOfMemory();
        }
    }
}

void RecordCellDelegate::PaintCell(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    QStyleOptionViewItem panel(option);
    panel.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, widget) + 1;
    QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.canConvert<QIcon>()) {
        const QSize iconSize = option.decorationSize;
        const QRect iconRect(textRect.left(),
                             option.rect.top() + (option.rect.height() - iconSize.height()) / 2,
                             iconSize.width(), iconSize.height());
        qvariant_cast<QIcon>(decoration).paint(painter, iconRect);
        textRect.setLeft(iconRect.right() + 1 + margin);
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty() || textRect.width() <= 0) {
        return;
    }
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Active) != 0 ? QPalette::Active : QPalette::Inactive;
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QString shown = ShownCellText(text, option.fontMetrics, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace tessaro
