#include "framework/controls/menus.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/components/properties.h"
#include "framework/controls/menu_bar_style.h"

namespace dlk {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    // Items are freed by their owner; a submenu only forgets them here.
    for (TMenuItem* child : items_) child->parent_ = nullptr;
    if (parent_ != nullptr) {
        std::erase(parent_->items_, this);
        parent_->Changed(true);  // a shown bar must not keep an action of a freed item
    }
}

void TMenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}
void TMenuItem::SetChecked(bool v) {
    checked_ = v;
    Changed();
}
void TMenuItem::SetEnabled(bool v) {
    enabled_ = v;
    Changed();
}
void TMenuItem::SetVisible(bool v) {
    visible_ = v;
    Changed();
}

void TMenuItem::SetImageIndex(int index) {
    image_index_ = index;
    Changed();
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* root = this;
    while (root->parent_ != nullptr) root = root->parent_;
    return root->menu_;
}

void TMenuItem::Changed(bool structure) {
    TMenu* menu = Menu();
    if (menu != nullptr && !menu->IsLoading() && !menu->IsDestroying()) menu->ItemsChanged(structure);
}

void TMenuItem::ShowImage(QAction& action) const {
    const TMenu* menu = Menu();
    const QImage image = menu != nullptr ? menu->Image(image_index_) : QImage();
    action.setIcon(!image.isNull() ? QIcon(QPixmap::fromImage(image)) : QIcon());
}

void TMenuItem::Add(TMenuItem* item) {
    if (item == nullptr || item == this) return;
    if (item->parent_ != nullptr) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    std::erase(items_, item);
    if (item != nullptr && item->parent_ == this) item->parent_ = nullptr;
    Changed(true);
}

void TMenuItem::Click() {
    Raise(OnClick, this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items().Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else
        throw EPropertyError("a menu item belongs in a menu");
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ == nullptr) return nullptr;
    if (parent_->menu_ != nullptr) return parent_->menu_;
    return parent_;
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& visit, TComponent*) const {
    for (TMenuItem* item : items_) visit(item);
}

void TMenuItem::FillMenu(QMenu& menu) {
    menu.clear();
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        const QString text = QString::fromStdString(item->caption_);
        if (!item->items_.empty()) {
            QMenu* sub = menu.addMenu(text);
            sub->setEnabled(item->enabled_);
            item->ShowImage(*sub->menuAction());
            item->FillMenu(*sub);
            continue;
        }
        QAction* action = menu.addAction(text);
        action->setEnabled(item->enabled_);
        item->ShowImage(*action);
        // A check mark shows only on a checked item, as in the classic menus.
        action->setCheckable(item->checked_);
        action->setChecked(item->checked_);
        QObject::connect(action, &QAction::triggered, action, [item] { Guarded([item] { item->Click(); }); });
    }
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    Destroying();
}

void TMenu::SetImages(TImageList* images) {
    images_.Set(images);
}

QImage TMenu::Image(int index) const {
    return images_.Image(index);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    images_.Removed(component, operation);
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
    items_->GetChildren(visit, root);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() {
    Destroying();
    delete shown_.data();
}

void TPopupMenu::Popup(int x, int y) {
    popup_point_ = {x, y};
    Raise(OnPopup, this);
    delete shown_.data();
    // Built afresh at every popup from the items as they are now; the QMenu
    // frees itself once closed.
    auto* menu = new QMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    Items().FillMenu(*menu);
    shown_ = menu;
    if (Alignment == TPopupAlignment::paRight)
        x -= menu->sizeHint().width();
    else if (Alignment == TPopupAlignment::paCenter)
        x -= menu->sizeHint().width() / 2;
    menu->popup(QPoint(x, y));
}

bool TPopupMenu::IsPoppedUp() const {
    return shown_ != nullptr && shown_->isVisible();
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner), rebuild_context_(std::make_unique<QObject>()) {}

TMainMenu::~TMainMenu() {
    Destroying();
}

void TMainMenu::FillBar(QMenuBar& bar) {
    if (bar_ != nullptr && bar_ != &bar) bar_->clear();
    bar_ = &bar;
    ShowPicturesBesideCaptions(bar);
    bar.clear();
    for (QMenu* old : bar.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) old->deleteLater();
    actions_.clear();
    AddItems(nullptr, Items());
    Sync();
}

void TMainMenu::AddItems(QMenu* menu, TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        const QString text = QString::fromStdString(item->Caption());
        QAction* action = nullptr;
        if (item->IsLine()) {
            action = menu != nullptr ? menu->addSeparator() : bar_->addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = menu != nullptr ? menu->addMenu(text) : bar_->addMenu(text);
            action = sub->menuAction();
            AddItems(sub, *item);
        } else {
            action = menu != nullptr ? menu->addAction(text) : bar_->addAction(text);
            QObject::connect(action, &QAction::triggered, action, [item] { Guarded([item] { item->Click(); }); });
        }
        actions_.emplace_back(action, item);
    }
}

void TMainMenu::Sync() {
    for (const auto& [action, item] : actions_) {
        if (action == nullptr) continue;
        if (!item->IsLine()) action->setText(QString::fromStdString(item->Caption()));
        action->setEnabled(item->Enabled());
        action->setVisible(item->Visible());
        if (!item->IsLine()) item->ShowImage(*action);
        if (item->Count() == 0 && !item->IsLine()) {
            // A check mark shows only on a checked item, as in the classic menus.
            action->setCheckable(item->Checked());
            action->setChecked(item->Checked());
        }
    }
}

namespace {

// Every item in the menu now, found from the root, so that an entry of a
// freed item is recognised without touching it.
void CollectItems(const TMenuItem& parent, std::vector<const TMenuItem*>& out) {
    for (int i = 0; i < parent.Count(); ++i) {
        out.push_back(parent.Items(i));
        CollectItems(*parent.Items(i), out);
    }
}

}  // namespace

void TMainMenu::ItemsChanged(bool structure) {
    if (bar_ == nullptr) return;
    if (!structure) {
        Sync();
        return;
    }
    // Actions of items that left the menu (or died) go dark at once; the bar
    // is rebuilt once the current event (perhaps one of those actions) is over.
    std::vector<const TMenuItem*> live;
    CollectItems(Items(), live);
    for (auto& [action, item] : actions_) {
        if (std::find(live.begin(), live.end(), item) != live.end()) continue;
        if (action != nullptr) {
            action->disconnect();
            action->setVisible(false);
        }
        item = nullptr;
    }
    std::erase_if(actions_, [](const auto& entry) { return entry.second == nullptr; });
    if (rebuild_pending_) return;
    rebuild_pending_ = true;
    QMetaObject::invokeMethod(
        rebuild_context_.get(),
        [this] {
            rebuild_pending_ = false;
            if (bar_ != nullptr && !IsDestroying()) Guarded([this] { FillBar(*bar_); });
        },
        Qt::QueuedConnection);
}

QAction* TMainMenu::ActionOf(const TMenuItem* item) const {
    for (const auto& [action, owner] : actions_)
        if (owner == item) return action;
    return nullptr;
}

const ClassInfo& TMenuItem::StaticClass() {
    using T = TMenuItem;
    static const ClassInfo info(
        "TMenuItem", &TComponent::StaticClass(), Creator<T>(),
        {
            prop::String<T>(
                "Caption", [](const T& c) { return c.Caption(); }, [](T& c, const std::string& v) { c.SetCaption(v); }),
            prop::Bool<T>(
                "Checked", [](const T& c) { return c.Checked(); }, [](T& c, bool v) { c.SetChecked(v); }),
            prop::Bool<T>(
                "Enabled", [](const T& c) { return c.Enabled(); }, [](T& c, bool v) { c.SetEnabled(v); }, true),
            prop::Bool<T>(
                "Visible", [](const T& c) { return c.Visible(); }, [](T& c, bool v) { c.SetVisible(v); }, true),
            prop::Int<T>(
                "ImageIndex", [](const T& c) { return c.ImageIndex(); },
                [](T& c, std::int64_t v) { c.SetImageIndex(int(v)); }, -1),
        });
    return info;
}

const ClassInfo& TMenu::StaticClass() {
    using T = TMenu;
    static const ClassInfo info("TMenu", &TComponent::StaticClass(), nullptr,
                                {
                                    prop::Reference<T, TImageList>("Images", &T::Images, &T::SetImages),
                                });
    return info;
}

const ClassInfo& TPopupMenu::StaticClass() {
    static const ClassInfo info("TPopupMenu", &TMenu::StaticClass(), Creator<TPopupMenu>());
    return info;
}

const ClassInfo& TMainMenu::StaticClass() {
    static const ClassInfo info("TMainMenu", &TMenu::StaticClass(), Creator<TMainMenu>());
    return info;
}

DLK_REGISTER_CLASS(TMenuItem);
DLK_REGISTER_CLASS(TPopupMenu);
DLK_REGISTER_CLASS(TMainMenu);

}  // namespace dlk
