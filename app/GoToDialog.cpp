#include "GoToDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/DialogUnits.h"
#include "app/OwnerPlacement.h"

namespace tessaro {

GoToDialog::GoToDialog(QWidget* owner) : QDialog(owner), field_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("SETTEXT"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Gehe zu Satz .."));
    const DialogUnits du(fontMetrics());
    setFixedSize(du.X(160), du.Y(40));

    auto* label = new QLabel(QStringLiteral("Satz:"), this);
    label->setGeometry(du.Rect(4, 6, 20, 8));
    label->setBuddy(field_);
    field_->setObjectName(QStringLiteral("Satz"));
    field_->setGeometry(du.Rect(26, 4, 130, 12));

    auto* search = new QPushButton(QStringLiteral("Suchen"), this);
    search->setObjectName(QStringLiteral("IDOK"));
    search->setGeometry(du.Rect(38, 22, 40, 14));
    search->setDefault(true);  // Enter in the field searches
    auto* cancel = new QPushButton(QStringLiteral("Abbruch"), this);
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    cancel->setGeometry(du.Rect(82, 22, 40, 14));
    cancel->setAutoDefault(false);

    connect(search, &QPushButton::clicked, this, [this] { emit Search(field_->text()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Beside the window, so that the rows it finds are never under it; over the window's
    // top left corner only when the screen has no room beside it.
    if (owner != nullptr && !MoveBesideOwner(*this, *owner, du.X(4))) {
        move(owner->geometry().topLeft() + QPoint(du.X(6), du.Y(18)));
    }
}

}  // namespace tessaro
