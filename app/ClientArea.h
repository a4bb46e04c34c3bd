#pragma once

#include <QPixmap>
#include <QWidget>

namespace tessaro {

class StatusLine;

// The window's client area: light gray with the picture BACK centred, the status line along
// its bottom edge and, once a table is shown, the record list over the rest. The list
// leaves one pixel column at the right and 20 pixels at the bottom for the status line.
class ClientArea final : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent);

    StatusLine* Status() const { return status_; }
    void SetRecordList(QWidget* list);  // nullptr when there is none
    QRect RecordListGeometry() const;
    QPoint PictureOffset() const;

    static constexpr int kStatusRoom = 20;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();

    QPixmap picture_;
    StatusLine* status_;
    QWidget* list_ = nullptr;
};

}  // namespace tessaro
