#pragma once

#include <QDialog>

namespace tessaro {

// The modeless version box ABOUT: "OK" ends it with 1, its close button with 0.
class VersionBox final : public QDialog {
    Q_OBJECT
public:
    explicit VersionBox(QWidget* owner);
};

}  // namespace tessaro
