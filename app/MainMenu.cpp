#include "MainMenu.h"

#include <QMenu>

#include "app/CommandIds.h"

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
    AddItem(file, QStringLiteral("&Anzeigen"), IDM_OPEN);
    AddItem(file, QStringLiteral("&Memofeld öffnen"), IDM_MEMO, false);
    AddItem(file, QStringLiteral("&Gehe zu Satz .."), IDM_GOTO);
    file->addSeparator();
    AddItem(file, QStringLiteral("&Ende"), IDM_END);

    bar->addSeparator();  // what follows stands at the right end
    QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
    // The text after the tab is shown as the item's key; no key is bound to it.
    AddItem(help, QStringLiteral("&Hilfe\tF1"), IDM_HELP);
    help->addSeparator();
    AddItem(help, QStringLiteral("&Version"), IDM_VERSION);
}

QAction* MainMenu::AddItem(QMenu* menu, const QString& text, int commandId, bool enabled) {
    QAction* action = menu->addAction(text);
    action->setData(commandId);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, commandId] { emit Command(commandId); });
    items_.insert(commandId, action);
    return action;
}

QAction* MainMenu::Item(int commandId) const { return items_.value(commandId, nullptr); }

}  // namespace tessaro
