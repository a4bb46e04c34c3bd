#include "RecordListView.h"

#include <QCursor>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

#include "app/RecordCellDelegate.h"
#include "viewer/ColumnWidths.h"
#include "viewer/GoToPlacement.h"

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
    const QString letters =
        QString::fromLatin1(kAverageLetters.data(), static_cast<qsizetype>(kAverageLetters.size()));
    return ScaledColumnWidth(width, fontMetrics().horizontalAdvance(letters),
                             static_cast<int>(kAverageLetters.size()));
}

// The text and the margins the cell delegate keeps on both sides of it.
int RecordListView::CellWidthFor(const QString& text) const {
    if (text.isEmpty()) {
        return 0;
    }
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return 2 * margin + fontMetrics().horizontalAdvance(text) + 1;
}

// Column 0 shows every record number whole beside its image, up to the largest there is.
int RecordListView::RecordNumberWidth() const {
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return 3 * margin + iconSize().width() +
           fontMetrics().horizontalAdvance(QStringLiteral("65536"));
}

void RecordListView::AddColumn(const QString& heading, int width, const QString& wholeText) {
    model_->AddColumn(heading);
    const int column = model_->columnCount() - 1;
    const int least = column == 0 ? RecordNumberWidth() : CellWidthFor(wholeText);
    const int shown = std::max(ScaledWidth(width), least);
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

void RecordListView::EnsureRowVisible(std::int32_t row, const QList<QRect>& covering) {
    const QModelIndex index = model_->index(row, 0);
    const QModelIndex first = indexAt(QPoint(1, 1));
    const int rowHeight = visualRect(first).height();
    if (!index.isValid() || !first.isValid() || rowHeight <= 0) {
        return;
    }
    const QRect area = viewport()->rect();
    RowPage page;
    page.top = first.row();
    page.fullSlots = area.height() / rowHeight;
    page.shownSlots = (area.height() + rowHeight - 1) / rowHeight;
    page.rowCount = model_->rowCount();
    const std::int32_t top =
        TopRowShowingClear(row, page, CoveredSlots(page.shownSlots, rowHeight, covering));
    if (top != page.top) {
        ScrollRowsTo(model_->index(top, 0), QAbstractItemView::PositionAtTop);
    }
}

// The rows of the viewport, from its top, that a window at `covering` hides wholly or in
// part.
std::vector<bool> RecordListView::CoveredSlots(int count, int rowHeight,
                                               const QList<QRect>& covering) const {
    const QRect area = viewport()->rect();
    std::vector<bool> covered(static_cast<std::size_t>(std::max(count, 0)), false);
    for (std::size_t slot = 0; slot < covered.size(); ++slot) {
        const QRect band = QRect(area.left(), area.top() + static_cast<int>(slot) * rowHeight,
                                 area.width(), rowHeight)
                               .intersected(area);
        const QRect onScreen(viewport()->mapToGlobal(band.topLeft()), band.size());
        for (const QRect& window : covering) {
            covered[slot] = covered[slot] || window.intersects(onScreen);
        }
    }
    return covered;
}

// Only the rows move: the columns stay where the user scrolled them.
void RecordListView::ScrollRowsTo(const QModelIndex& index, ScrollHint hint) {
    const int horizontal = horizontalScrollBar()->value();
    QTreeView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(horizontal);
}

void RecordListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (clicked_.isValid() && index == clicked_) {
        return;
    }
    ScrollRowsTo(index, hint);
}

void RecordListView::keyboardSearch(const QString& search) {
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.column() != 0) {
        selectionModel()->setCurrentIndex(current.siblingAtColumn(0),
                                          QItemSelectionModel::NoUpdate);
    }
    QTreeView::keyboardSearch(search);
}

void RecordListView::mousePressEvent(QMouseEvent* event) {
    clicked_ = indexAt(event->position().toPoint());
    QTreeView::mousePressEvent(event);
}

void RecordListView::keyPressEvent(QKeyEvent* event) {
    clicked_ = QPersistentModelIndex();
    QTreeView::keyPressEvent(event);
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
