#include "RecordListView.h"

#include <QCursor>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

#include "app/RecordCellDelegate.h"
#include "viewer/ColumnWidths.h"

namespace tessaro {

RecordListView::RecordListView(QWidget* parent)
    : QTreeView(parent), model_(new RecordListModel(this)) {
    setObjectName(QStringLiteral("RecordList"));
    setModel(model_);
    setItemDelegate(new RecordCellDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    setIconSize(QSize(16, 16));
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int) { emit HeaderClicked(); });
    // Where the mouse is when the click is handled, not where it was pressed.
    connect(this, &QAbstractItemView::clicked, this, [this] { emit RowClicked(RowUnderMouse()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this] { emit RowDoubleClicked(RowUnderMouse()); });
}

int RecordListView::ScaledWidth(int width) const {
    return ScaledColumnWidth(width, fontMetrics().averageCharWidth());
}

// Column 0 shows every record number whole beside its image, up to the largest there is.
int RecordListView::RecordNumberWidth() const {
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return 3 * margin + iconSize().width() +
           fontMetrics().horizontalAdvance(QStringLiteral("65536"));
}

void RecordListView::AddColumn(const QString& heading, int width) {
    model_->AddColumn(heading);
    const int column = model_->columnCount() - 1;
    const int shown =
        column == 0 ? std::max(ScaledWidth(width), RecordNumberWidth()) : ScaledWidth(width);
    header()->resizeSection(column, shown);
}

void RecordListView::SetRows(const RecordCells& cells) {
    model_->SetRows(cells);
    // No row is current after a load: otherwise the view makes the first one current when
    // it gets the focus, and the first Down key would go to the second row.
    setCurrentIndex(QModelIndex());
}

std::int32_t RecordListView::HitTest(const QPoint& globalPosition) const {
    const QPoint point = viewport()->mapFromGlobal(globalPosition);
    if (!viewport()->rect().contains(point)) {
        return -1;
    }
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
}

std::int32_t RecordListView::RowUnderMouse() const { return HitTest(QCursor::pos()); }

void RecordListView::EnsureRowVisible(std::int32_t row) {
    const QModelIndex index = model_->index(row, 0);
    if (!index.isValid()) {
        return;
    }
    QRect rowRect = visualRect(index);
    rowRect.setLeft(viewport()->rect().left());
    rowRect.setRight(viewport()->rect().right());
    if (viewport()->rect().intersects(rowRect)) {
        return;
    }
    // Only the rows move: the columns stay where the user scrolled them.
    const int horizontal = horizontalScrollBar()->value();
    scrollTo(index, QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(horizontal);
}

void RecordListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid()) {
        emit RowClicked(RowUnderMouse());
    }
}

void RecordListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid()) {
        emit RowDoubleClicked(RowUnderMouse());
    }
}

}  // namespace tessaro
