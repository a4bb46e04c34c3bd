#include "VersionBox.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "app/DialogUnits.h"
#include "app/MessageBoxes.h"
#include "viewer/VersionInfo.h"

namespace tessaro {

VersionBox::VersionBox(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ABOUT"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const QString caption = QString::fromUtf8(kVersionCaption);
    setWindowTitle(caption);
    const DialogUnits du(fontMetrics());
    // As wide as the caption needs, the lines and the button in the middle.
    const int width = std::max(du.X(161), CaptionRoom(*this, caption));
    const QPoint middle((width - du.X(161)) / 2, 0);
    setFixedSize(width, du.Y(100));

    int y = 16;
    for (const char* line : kVersionLines) {
        auto* label = new QLabel(QString::fromUtf8(line), this);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(du.Rect(2, y, 156, 9).translated(middle));
        y += 10;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setGeometry(du.Rect(56, 80, 50, 14).translated(middle));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    if (owner != nullptr) {
        move(owner->geometry().topLeft() + QPoint(du.X(4), du.Y(20)));
    }
}

}  // namespace tessaro
