#include "ClientArea.h"

#include <QPainter>

#include "app/StatusLine.h"
#include "viewer/Centering.h"

namespace tessaro {

namespace {

const QColor kLightGray(192, 192, 192);

}  // namespace

ClientArea::ClientArea(QWidget* parent)
    : QWidget(parent), picture_(QStringLiteral(":/res/back.png")), status_(new StatusLine(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::SetRecordList(QWidget* list) {
    list_ = list;
    Layout();
    status_->raise();
}

QRect ClientArea::RecordListGeometry() const {
    return QRect(0, 0, width() - 1, height() - kStatusRoom);
}

QPoint ClientArea::PictureOffset() const {
    return QPoint(CenteredOffset(width(), picture_.width()),
                  CenteredOffset(height(), picture_.height()));
}

void ClientArea::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kLightGray);
    painter.drawPixmap(PictureOffset(), picture_);
}

void ClientArea::resizeEvent(QResizeEvent* /*event*/) { Layout(); }

void ClientArea::Layout() {
    const int statusHeight = std::max(kStatusRoom, status_->sizeHint().height());
    status_->setGeometry(0, height() - statusHeight, width(), statusHeight);
    if (list_ != nullptr) {
        list_->setGeometry(RecordListGeometry());
    }
}

}  // namespace tessaro
