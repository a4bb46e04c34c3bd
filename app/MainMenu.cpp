#include "MainMenu.h"

#include <QMenu>

namespace tessaro {

int MenuBarStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_DrawMenuBarSeparator) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

MainMenu::MainMenu(QMenuBar* bar, QObject* parent) : QObject(parent), style_(new MenuBarStyle) {
    style_->setParent(this);
    bar->setStyle(style_);

    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    open = file->addAction(QStringLiteral("&Anzeigen"));
    memo = file->addAction(QStringLiteral("&Memofeld öffnen"));
    memo->setEnabled(false);
    goTo = file->addAction(QStringLiteral("&Gehe zu Satz .."));
    file->addSeparator();
    end = file->addAction(QStringLiteral("&Ende"));

    bar->addSeparator();  // what follows stands at the right end
    QMenu* helpMenu = bar->addMenu(QStringLiteral("&Hilfe"));
    // The text after the tab is shown as the item's key; no key is bound to it.
    help = helpMenu->addAction(QStringLiteral("&Hilfe\tF1"));
    helpMenu->addSeparator();
    version = helpMenu->addAction(QStringLiteral("&Version"));
}

}  // namespace tessaro
