#pragma once

#include <cstdint>

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
    // scaled to the font the list shows: so that what was whole there is whole here.
    void AddColumn(const QString& heading, int width);
    // The average character width of that font (MS Sans Serif, 8 points).
    void SetRows(const RecordCells& cells);

    // The row under a point of the screen, or -1 when there is none.
    std::int32_t HitTest(const QPoint& globalPosition) const;

    // Scrolls as far as needed to bring a row into view; a row already partly visible
    // counts as visible. Selection and focus stay as they are.
    void EnsureRowVisible(std::int32_t row);

signals:
    // A click of the left button in the list, and the row under the mouse when it is
    // handled (-1 when it hit none). Clicks on rows come from the view's own clicked() and
    // doubleClicked(); those beside the rows, which the view does not report, count too.
    void RowClicked(std::int32_t row);
    void RowDoubleClicked(std::int32_t row);
    void HeaderClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::int32_t RowUnderMouse() const;
    int ScaledWidth(int width) const;
    int RecordNumberWidth() const;

    RecordListModel* model_;
};

}  // namespace tessaro
