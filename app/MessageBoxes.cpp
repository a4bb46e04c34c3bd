#include "MessageBoxes.h"

#include <QPushButton>

#include "fileio/DesktopPort.h"

namespace tessaro {

namespace {

const char* const kAnswerProperty = "windowsAnswer";

QString BoxText(std::string_view text) {
    QString lines = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONHAND: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONEXCLAMATION: return QMessageBox::Warning;
        case MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

QPushButton* AddButton(QMessageBox& box, const QString& text, QMessageBox::ButtonRole role,
                       int answer) {
    QPushButton* button = box.addButton(text, role);
    button->setProperty(kAnswerProperty, answer);
    return button;
}

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, std::string_view text,
                                             std::string_view caption, unsigned style) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    box->setText(BoxText(text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(IconOf(style));
    switch (style & MB_TYPEMASK) {
        case MB_YESNO: {
            QPushButton* yes = AddButton(*box, QStringLiteral("Ja"), QMessageBox::YesRole, IDYES);
            QPushButton* no = AddButton(*box, QStringLiteral("Nein"), QMessageBox::NoRole, IDNO);
            box->setDefaultButton(yes);
            box->setEscapeButton(no);
            break;
        }
        case MB_RETRYCANCEL: {
            QPushButton* retry = AddButton(*box, QStringLiteral("Wiederholen"), QMessageBox::AcceptRole, IDRETRY);
            QPushButton* cancel = AddButton(*box, QStringLiteral("Abbrechen"), QMessageBox::RejectRole, IDCANCEL);
            box->setDefaultButton(retry);
            box->setEscapeButton(cancel);
            break;
        }
        default: {
            QPushButton* ok = AddButton(*box, QStringLiteral("OK"), QMessageBox::AcceptRole, IDOK);
            box->setDefaultButton(ok);
            box->setEscapeButton(ok);
            break;
        }
    }
    return box;
}

int AnswerOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return 0;
    }
    return clicked->property(kAnswerProperty).toInt();
}

int RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption, unsigned style) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(owner, text, caption, style);
    box->exec();
    return AnswerOf(*box);
}

}  // namespace tessaro
