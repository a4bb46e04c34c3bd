#include "GoToDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/DialogUnits.h"
#include "viewer/GoToPlacement.h"

namespace tessaro {

namespace {

ScreenBox BoxOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// Beside the window, so that the rows it finds are never under it; over the window's top
// left corner only when the screen has no room beside it.
void PlaceBesideOwner(QDialog& dialog, const QWidget& owner, const DialogUnits& du) {
    const QRect outer = owner.frameGeometry();
    const QRect inner = owner.geometry();
    // The dialog's frame is known only once it is shown: it is taken to be the owner's.
    const int width = dialog.width() + outer.width() - inner.width();
    const int height = dialog.height() + outer.height() - inner.height();
    const QScreen* screen = owner.screen();
    const std::optional<ScreenBox> beside =
        screen == nullptr
            ? std::nullopt
            : PlaceBeside(BoxOf(outer), width, height, BoxOf(screen->availableGeometry()), du.X(4));
    if (beside) {
        dialog.move(beside->left, beside->top);
    } else {
        dialog.move(inner.topLeft() + QPoint(du.X(6), du.Y(18)));
    }
}

}  // namespace

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
    if (owner != nullptr) {
        PlaceBesideOwner(*this, *owner, du);
    }
}

}  // namespace tessaro
