#pragma once

#include <QHash>
#include <QMenuBar>
#include <QProxyStyle>

namespace tessaro {

// Puts the menus after a menu-bar separator at the right end of the bar, as the right-
// justify flag of the Windows menu does for "&Hilfe".
class MenuBarStyle final : public QProxyStyle {
    Q_OBJECT
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

// The menu bar MAINMENU: "&Datei" and, at the right end, "&Hilfe". Each item carries its
// command id; `triggered` reports it.
class MainMenu final : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar* bar, QObject* parent);

    QAction* Item(int commandId) const;

signals:
    void Command(int commandId);

private:
    QAction* AddItem(QMenu* menu, const QString& text, int commandId, bool enabled = true);

    MenuBarStyle* style_;
    QHash<int, QAction*> items_;
};

}  // namespace tessaro
