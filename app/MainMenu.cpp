#include "MainMenu.h"

#include <QActionGroup>
#include <QMap>
#include <QMenu>

#include "table/CodePage.h"

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

    codePageMenu = bar->addMenu(QStringLiteral("&Zeichensatz"));
    AddCodePageItems();

    bar->addSeparator();  // what follows stands at the right end
    QMenu* helpMenu = bar->addMenu(QStringLiteral("&Hilfe"));
    // The text after the tab is shown as the item's key; no key is bound to it.
    help = helpMenu->addAction(QStringLiteral("&Hilfe\tF1"));
    helpMenu->addSeparator();
    version = helpMenu->addAction(QStringLiteral("&Version"));
}

void MainMenu::AddCodePageItems() {
    auto* group = new QActionGroup(this);
    const auto item = [&](QMenu* menu, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        group->addAction(action);
        return action;
    };
    automatic = item(codePageMenu, QStringLiteral("Automatisch"));
    automatic->setChecked(true);
    codePageMenu->addSeparator();
    QMap<QString, QMenu*> submenus;
    for (const CodePageInfo& page : KnownCodePages()) {
        const QString title =
            QString::fromUtf8(page.group.data(), static_cast<qsizetype>(page.group.size()));
        QMenu* menu = codePageMenu;
        if (!title.isEmpty()) {
            if (!submenus.contains(title)) {
                submenus[title] = codePageMenu->addMenu(title);
            }
            menu = submenus[title];
        }
        QAction* action = item(
            menu, QString::fromUtf8(page.name.data(), static_cast<qsizetype>(page.name.size())));
        action->setData(page.number);
        codePages << action;
    }
}

}  // namespace tessaro
