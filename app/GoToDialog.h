#pragma once

#include <QDialog>

class QLineEdit;

namespace tessaro {

// The modeless dialog SETTEXT, "Gehe zu Satz ..": "Suchen" searches for the record number
// in the field "Satz:" and leaves the dialog open for more; "Abbruch" closes it.
class GoToDialog final : public QDialog {
    Q_OBJECT
public:
    explicit GoToDialog(QWidget* owner);

    QLineEdit* Field() const { return field_; }

signals:
    void Search(const QString& text);

private:
    QLineEdit* field_;
};

}  // namespace tessaro
