#pragma once

#include <QTreeView>

#include "app/RecordListModel.h"

namespace tessaro {

// The record list: a report-style list of the records, one row each, single selection.
// Clicks, double-clicks and header clicks are reported as the list's notifications.
class RecordListView final : public QTreeView {
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent);

    RecordListModel* Model() const { return model_; }

    // The row under a point of the screen, or -1 when there is none.
    std::int32_t HitTest(const QPoint& globalPosition) const;

    // Scrolls as far as needed to bring a row into view; a row already partly visible
    // counts as visible. Selection and focus stay as they are.
    void EnsureRowVisible(std::int32_t row);

signals:
    void Notify(int code);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    RecordListModel* model_;
    bool releaseEndsDoubleClick_ = false;
};

}  // namespace tessaro
