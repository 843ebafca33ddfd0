#pragma once

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/components/class_registry.h"
#include "framework/controls/image_list.h"
#include "framework/core/geometry.h"

class QAction;
class QMenu;
class QMenuBar;

namespace dlk {

class TMenu;

// One command of a menu; a caption "-" is a separator. Items may hold items
// (a submenu).
class TMenuItem : public TComponent {
    DLK_COMPONENT(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool IsLine() const { return caption_ == "-"; }
    // The picture beside the caption, from the menu's Images; -1: none.
    int ImageIndex() const { return image_index_; }
    void SetImageIndex(int index);

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_[std::size_t(index)]; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* ParentItem() const { return parent_; }
    std::intptr_t Tag = 0;

    TNotifyEvent OnClick;
    // What choosing the item does: its OnClick.
    virtual void Click();

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;

    // The Qt menu that shows this item's children (built on demand).
    void FillMenu(QMenu& menu);

private:
    friend class TMenu;
    friend class TMainMenu;
    // Tells the menu this item belongs to that something shown has changed;
    // structure: items were added or removed.
    void Changed(bool structure = false);
    // The menu this item is shown in, or nullptr.
    TMenu* Menu() const;
    void ShowImage(QAction& action) const;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int image_index_ = -1;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
    DLK_COMPONENT(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    TMenuItem& Items() { return *items_; }
    const TMenuItem& Items() const { return *items_; }
    // The pictures the items' ImageIndex chooses from; the items follow
    // changes of the list, and its removal.
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images);
    // The picture at index, or a null image.
    QImage Image(int index) const;
    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;
    void Notification(TComponent* component, TOperation operation) override;
    // An item's caption, check mark or state changed, or (structure) the
    // items themselves.
    virtual void ItemsChanged(bool structure) { (void)structure; }

private:
    std::unique_ptr<TMenuItem> items_;
    TImageListHold images_{*this, [this] { ItemsChanged(false); }};
};

// Which edge of a popped-up menu lies at the point it was popped up at.
enum class TPopupAlignment : std::uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
    DLK_COMPONENT(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TPopupAlignment Alignment = TPopupAlignment::paLeft;

    TNotifyEvent OnPopup;
    // Shows the menu at a screen point and returns at once; the chosen item's
    // OnClick runs later from the event loop.
    void Popup(int x, int y);
    bool IsPoppedUp() const;
    // The screen point of the last Popup: what its commands open is placed
    // from there, wherever the cursor has gone since.
    TPoint PopupPoint() const { return popup_point_; }
    // Tests: the menu as shown, to pick an action from.
    QMenu* ShownMenu() const { return shown_; }

private:
    QPointer<QMenu> shown_;
    TPoint popup_point_;
};

// The window's menu bar. A top item with items of its own drops down; one
// without is a command on the bar. The bar follows the items: captions,
// check marks and states in place (so an item may change them from its own
// click), added or removed items by a rebuild at the next turn of the event
// loop.
class TMainMenu : public TMenu {
    DLK_COMPONENT(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    void FillBar(QMenuBar& bar);
    void ItemsChanged(bool structure) override;
    // The action showing item on the bar, or nullptr.
    QAction* ActionOf(const TMenuItem* item) const;

private:
    void AddItems(QMenu* menu, TMenuItem& parent);
    void Sync();

    QPointer<QMenuBar> bar_;
    std::vector<std::pair<QPointer<QAction>, TMenuItem*>> actions_;
    std::unique_ptr<QObject> rebuild_context_;  // pending rebuilds die with the menu
    bool rebuild_pending_ = false;
};

}  // namespace dlk
