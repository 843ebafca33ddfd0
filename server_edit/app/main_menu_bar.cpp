#include "app/main_menu_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "framework/controls/menus.h"
#include "framework/core/application.h"

namespace dlk {

void MainMenuBar::Build(QMenuBar& bar, TMainMenu& menu) {
    bar.clear();
    actions_.clear();
    AddItems(&bar, nullptr, menu.Items());
    Sync();
}

void MainMenuBar::AddItems(QMenuBar* bar, QMenu* menu, TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        const QString text = QString::fromStdString(item->Caption());
        QAction* action = nullptr;
        if (item->IsLine()) {
            action = bar != nullptr ? bar->addSeparator() : menu->addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = bar != nullptr ? bar->addMenu(text) : menu->addMenu(text);
            action = sub->menuAction();
            AddItems(nullptr, sub, *item);
        } else {
            action = bar != nullptr ? bar->addAction(text) : menu->addAction(text);
            QObject::connect(action, &QAction::triggered, action, [item] { Guarded([item] { item->Click(); }); });
        }
        actions_.emplace_back(action, item);
    }
}

void MainMenuBar::Sync() {
    for (const auto& [action, item] : actions_) {
        if (action == nullptr) continue;
        if (!item->IsLine()) action->setText(QString::fromStdString(item->Caption()));
        action->setEnabled(item->Enabled());
        action->setVisible(item->Visible());
        if (item->Count() == 0 && !item->IsLine()) {
            action->setCheckable(item->Checked());
            action->setChecked(item->Checked());
        }
    }
}

void MainMenuBar::SetImage(const TMenuItem* item, const QIcon& image) {
    if (QAction* action = ActionOf(item)) action->setIcon(image);
}

QAction* MainMenuBar::ActionOf(const TMenuItem* item) const {
    for (const auto& [action, owner] : actions_) {
        if (owner == item) return action;
    }
    return nullptr;
}

}  // namespace dlk
