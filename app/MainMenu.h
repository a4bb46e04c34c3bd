#pragma once

#include <QMenuBar>
#include <QProxyStyle>

class QAction;

namespace tessaro {

// Puts the menus after a menu-bar separator at the right end of the bar, as the right-
// justify flag of the Windows menu does for "&Hilfe".
class MenuBarStyle final : public QProxyStyle {
    Q_OBJECT
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

// The menu bar: "&Datei", "&Zeichensatz" and, at the right end, "&Hilfe". "&Memofeld
// öffnen" starts grayed.
class MainMenu final : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar* bar, QObject* parent);

    QAction* open;     // "&Anzeigen"
    QAction* memo;     // "&Memofeld öffnen"
    QAction* goTo;     // "&Gehe zu Satz .."
    QAction* end;      // "&Ende"
    QAction* help;     // "&Hilfe\tF1"
    QAction* version;  // "&Version"

    // "&Zeichensatz": "Automatisch" and one item for each code page, its number as the
    // item's data; one of them is checked.
    QMenu* codePageMenu;
    QAction* automatic;
    QList<QAction*> codePages;

private:
    void AddCodePageItems();

    MenuBarStyle* style_;
};

}  // namespace tessaro
