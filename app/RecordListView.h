#pragma once

#include <cstdint>
#include <vector>

#include <QTreeView>

#include "app/RecordListModel.h"

namespace tessaro {

// The record list: a report-style list of the records, one row each, single selection.
class RecordListView final : public QTreeView {
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent);

    RecordListModel* Model() const { return model_; }

    // A column of `width` pixels of the small system font the widths were first given in,
    // scaled to the font the list shows: so that what was whole there is whole here; and
    // at least as wide as a cell needs to show `wholeText` whole.
    void AddColumn(const QString& heading, int width, const QString& wholeText = {});
    // The rows are those of `cells`, asked for the rows the list draws.
    void SetRows(const RecordCells& cells);

    // The row under a point of the screen, or -1 when there is none.
    std::int32_t HitTest(const QPoint& globalPosition) const;

    // Scrolls as little as needed to bring a row into view, clear of the windows at
    // `covering` (screen coordinates) where the list can scroll that far; a row already
    // partly visible and clear counts as visible. Selection and focus stay as they are.
    void EnsureRowVisible(std::int32_t row, const QList<QRect>& covering = {});

    // The view follows the current row up and down only: the columns stay where the user
    // scrolled them, and a click selects without moving the view at all.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // A typed record number goes to its row, whichever cell was clicked last.
    void keyboardSearch(const QString& search) override;

signals:
    // A click of the left button in the list, and the row under the mouse when it is
    // handled (-1 when it hit none). Clicks on rows come from the view's own clicked() and
    // doubleClicked(); those beside the rows, which the view does not report, count too.
    void RowClicked(std::int32_t row);
    void RowDoubleClicked(std::int32_t row);
    void HeaderClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::int32_t RowUnderMouse() const;
    int ScaledWidth(int width) const;
    int CellWidthFor(const QString& text) const;
    int RecordNumberWidth() const;

    void ScrollRowsTo(const QModelIndex& index, ScrollHint hint);
    std::vector<bool> CoveredSlots(int count, int rowHeight, const QList<QRect>& covering) const;

    RecordListModel* model_;
    // The cell last clicked, until a key moves on: the view scrolls to it a moment after
    // the click, which the list of Windows never does.
    QPersistentModelIndex clicked_;
};

}  // namespace tessaro
