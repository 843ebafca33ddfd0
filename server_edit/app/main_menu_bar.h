#pragma once

#include <QPointer>
#include <utility>
#include <vector>

class QAction;
class QIcon;
class QMenu;
class QMenuBar;

namespace dlk {

class TMainMenu;
class TMenuItem;

// The window's menu bar kept in step with its menu items. An item of the bar
// without children is a command of its own (not an empty drop-down), and
// captions, enabled states and check marks changed after the window was
// read show at the next Sync. Actions are updated in place, never rebuilt,
// so an item may change the menu from its own click.
class MainMenuBar {
public:
    void Build(QMenuBar& bar, TMainMenu& menu);
    void Sync();
    // A picture beside an item's caption.
    void SetImage(const TMenuItem* item, const QIcon& image);
    // The action of an item, for tests that choose from the bar.
    QAction* ActionOf(const TMenuItem* item) const;

private:
    void AddItems(QMenuBar* bar, QMenu* menu, TMenuItem& parent);

    std::vector<std::pair<QPointer<QAction>, TMenuItem*>> actions_;
};

}  // namespace dlk
