#include "MessageBoxes.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

#include "fileio/BoxText.h"

namespace tessaro {

namespace {

const char* const kAnswerProperty = "windowsAnswer";

QString BoxText(std::string_view text) {
    return QString::fromStdString(BoxTextWithLineFeeds(text));
}

QMessageBox::Icon IconOf(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Stop: return QMessageBox::Critical;
        case BoxIcon::Question: return QMessageBox::Question;
        case BoxIcon::Exclamation: return QMessageBox::Warning;
        case BoxIcon::Information: return QMessageBox::Information;
        case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QPushButton* AddButton(QMessageBox& box, const QString& text, QMessageBox::ButtonRole role,
                       BoxAnswer answer) {
    QPushButton* button = box.addButton(text, role);
    button->setProperty(kAnswerProperty, static_cast<int>(answer));
    return button;
}

// A box is at least as wide as its caption needs.
void MakeRoomForCaption(QMessageBox& box, const QString& caption) {
    const int width = CaptionRoom(box, caption);
    auto* layout = qobject_cast<QGridLayout*>(box.layout());
    if (layout != nullptr) {
        layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                        layout->rowCount(), 0, 1, layout->columnCount());
    }
}

}  // namespace

// The room of the title bar's icon and buttons, in title bar heights: a window manager
// puts an icon and three buttons beside the caption, each with its margins.
constexpr int kTitleBarButtons = 6;

int CaptionRoom(const QWidget& window, const QString& caption) {
    QFont titleFont = window.font();
    titleFont.setBold(true);
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarButtons * titleBar;
}

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, std::string_view text,
                                             std::string_view caption, BoxStyle style) {
    auto box = std::make_unique<QMessageBox>(owner);
    const QString title = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    box->setWindowTitle(title);
    box->setText(BoxText(text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(IconOf(style.icon));
    switch (style.buttons) {
        case BoxButtons::YesNo: {
            QPushButton* yes =
                AddButton(*box, QStringLiteral("Ja"), QMessageBox::YesRole, BoxAnswer::Yes);
            QPushButton* no =
                AddButton(*box, QStringLiteral("Nein"), QMessageBox::NoRole, BoxAnswer::No);
            box->setDefaultButton(yes);
            box->setEscapeButton(no);
            break;
        }
        case BoxButtons::RetryCancel: {
            QPushButton* retry = AddButton(*box, QStringLiteral("Wiederholen"),
                                           QMessageBox::AcceptRole, BoxAnswer::Retry);
            QPushButton* cancel = AddButton(*box, QStringLiteral("Abbrechen"),
                                            QMessageBox::RejectRole, BoxAnswer::Cancel);
            box->setDefaultButton(retry);
            box->setEscapeButton(cancel);
            break;
        }
        case BoxButtons::Ok: {
            QPushButton* ok =
                AddButton(*box, QStringLiteral("OK"), QMessageBox::AcceptRole, BoxAnswer::Ok);
            box->setDefaultButton(ok);
            box->setEscapeButton(ok);
            break;
        }
    }
    MakeRoomForCaption(*box, title);
    return box;
}

BoxAnswer AnswerOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return BoxAnswer::None;
    }
    return static_cast<BoxAnswer>(clicked->property(kAnswerProperty).toInt());
}

BoxAnswer RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
                        BoxStyle style) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(owner, text, caption, style);
    box->exec();
    return AnswerOf(*box);
}

}  // namespace tessaro
