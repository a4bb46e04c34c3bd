#include "VersionBox.h"

#include <QLabel>
#include <QPushButton>

#include "app/DialogUnits.h"
#include "viewer/VersionInfo.h"

namespace tessaro {

VersionBox::VersionBox(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ABOUT"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QString::fromUtf8(kVersionCaption));
    const DialogUnits du(fontMetrics());
    setFixedSize(du.X(161), du.Y(100));

    int y = 16;
    for (const char* line : kVersionLines) {
        auto* label = new QLabel(QString::fromUtf8(line), this);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(du.Rect(2, y, 156, 9));
        y += 10;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setGeometry(du.Rect(56, 80, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    if (owner != nullptr) {
        move(owner->geometry().topLeft() + QPoint(du.X(4), du.Y(20)));
    }
}

}  // namespace tessaro
