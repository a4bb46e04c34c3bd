#include "VersionBox.h"

#include <QLabel>
#include <QPushButton>

#include "app/CommandIds.h"
#include "app/DialogUnits.h"

namespace tessaro {

VersionBox::VersionBox(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ABOUT"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("über diese Version ..."));
    const DialogUnits du(fontMetrics());
    setFixedSize(du.X(161), du.Y(100));

    const char* const lines[] = {"Tessaro 1.20", "für Win95 und NT 4.0",
                                 "öffnet Visual DBase 5 + 7 Dateien", "Build 2.1",
                                 "10.02.99", "Deutsch"};
    int y = 16;
    for (const char* line : lines) {
        auto* label = new QLabel(QString::fromUtf8(line), this);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(du.Rect(2, y, 156, 9));
        y += 10;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QString::number(IDC_VERSION_OK));
    ok->setGeometry(du.Rect(56, 80, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    if (owner != nullptr) {
        move(owner->geometry().topLeft() + QPoint(du.X(4), du.Y(20)));
    }
}

}  // namespace tessaro
