#include "tabs/kt_page_control.h"

#include <algorithm>

#include "framework/components/properties.h"
#include "framework/controls/control_kinds.h"
#include "framework/controls/form.h"
#include "framework/core/list_error.h"
#include "tabs/core/tab_data.h"

namespace dlk {

namespace {

bool IsInside(const TControl* control, const TControl& outer) {
    for (const TControl* c = control; c != nullptr; c = c->Parent())
        if (c == &outer) return true;
    return false;
}

// Descriptions create pages by class name; the class is known from the first
// page control on, which is always read before its pages.
void RegisterSheetClass() {
    static const bool registered = [] {
        RegisterClass(TKtTabSheet::StaticClass());
        return true;
    }();
    (void)registered;
}

}  // namespace

TKtPageControl::TKtPageControl(TComponent* owner)
    : TKtCustomTabControl(owner), TDockSite(static_cast<TControl&>(*this)) {
    RegisterSheetClass();
    SetHeight(150);
}

TKtPageControl::~TKtPageControl() {
    // The pages die as children or with their owner; none calls back here.
    for (TKtTabSheet* page : pages_) page->page_control_ = nullptr;
    pages_.clear();
    active_page_ = nullptr;
}

TKtTabSheet* TKtPageControl::GetPage(int index) const {
    if (index < 0 || index >= int(pages_.size())) ListIndexError(index);
    return pages_[std::size_t(index)];
}

int TKtPageControl::IndexOfPage(const TKtTabSheet* page) const {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    return it == pages_.end() ? -1 : int(it - pages_.begin());
}

void TKtPageControl::InsertPage(TKtTabSheet* page) {
    pages_.push_back(page);
    page->page_control_ = this;
    TabsChanged();
}

void TKtPageControl::RemovePage(TKtTabSheet* page) {
    if (page == active_page_) SetActivePage(nullptr);
    std::erase(pages_, page);
    TabsChanged();
    page->page_control_ = nullptr;
}

void TKtPageControl::MovePage(int from, int to) {
    TKtTabSheet* page = pages_[std::size_t(from)];
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + to, page);
}

void TKtPageControl::TabsChanged() {
    Tabs().Clear();
    for (TKtTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        auto tab = std::make_unique<TKtTabData>();
        page->AssignTo(*tab);
        Tabs().Add(std::move(tab));
    }
    if (active_page_ != nullptr) {
        const int t = active_page_->TabIndexOf();
        // Bookkeeping only: the selection follows the page that is active
        // already, so nobody is asked to approve a switch that is not one.
        if (t != TabIndex()) SetApprovedTabIndex(t);
    }
    TKtCustomTabControl::TabsChanged();
}

// The tabs are the pages whose tab is visible, in page order.
TKtTabSheet* TKtPageControl::GetPageForTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TKtTabSheet* page : pages_)
        if (page->TabVisible() && tabIndex-- == 0) return page;
    return nullptr;
}

void TKtPageControl::SetActivePage(TKtTabSheet* page) {
    if (page != nullptr && page->PageControl() != this) return;
    if (IsLoading() || IsReading()) {
        active_page_ = page;
        return;
    }
    // The page is shown by the switch itself, never before it is approved.
    const int t = page != nullptr ? page->TabIndexOf() : -1;
    if (t < 0) {
        ChangeActivePage(page);
        DoPageChange();
    }
    SetTabIndex(t);
}

void TKtPageControl::DoChanging(int newIndex, bool& allowChange) {
    if (!in_loaded_) TKtCustomTabControl::DoChanging(newIndex, allowChange);
    if (allowChange) ChangeActivePage(GetPageForTab(newIndex));
}

void TKtPageControl::ChangeActivePage(TKtTabSheet* page) {
    if (page == active_page_) return;
    TForm* form = GetParentForm(this);
    if (form != nullptr && active_page_ != nullptr && IsInside(form->ActiveControl(), *active_page_))
        form->SetActiveControl(active_page_);
    if (page != nullptr) {
        page->BringToFront();
        page->SetShown(true);
        if (form != nullptr && active_page_ != nullptr && form->ActiveControl() == active_page_)
            form->SetActiveControl(page->CanFocus() ? static_cast<TControl*>(page) : this);
    }
    if (active_page_ != nullptr) {
        active_page_->SetShown(false);
        if (save_resources_) active_page_->DestroyHandle();
    }
    active_page_ = page;
    if (form != nullptr && page != nullptr && form->ActiveControl() == page) page->SelectFirst();
}

void TKtPageControl::DoChange() {
    if (!in_loaded_) TKtCustomTabControl::DoChange();
}

void TKtPageControl::DoPageChange() {
    if (!in_loaded_) TKtCustomTabControl::DoPageChange();
}

int TKtPageControl::GetActivePageIndex() const {
    return active_page_ != nullptr ? active_page_->GetPageIndex() : -1;
}

void TKtPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < PageCount())
        SetActivePage(GetPage(index));
    else
        SetTabIndex(-1);
}

void TKtPageControl::SetActivePageDefault(TKtTabSheet* page) {
    if (active_page_default_ != nullptr) RemoveFreeNotification(active_page_default_);
    active_page_default_ = page;
    if (page != nullptr) FreeNotification(page);
}

void TKtPageControl::SetSaveResources(bool value) {
    if (value == save_resources_) return;
    save_resources_ = value;
    if (!value) return;
    for (TKtTabSheet* page : pages_)
        if (page != active_page_) page->DestroyHandle();
}

TKtTabSheet* TKtPageControl::FindNextPage(TKtTabSheet* start, bool forward, bool visibleTabsOnly) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    int s = IndexOfPage(start);
    if (s < 0) s = forward ? count - 1 : 0;
    int i = s;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TKtTabSheet* page = pages_[std::size_t(i)];
        if (!visibleTabsOnly || page->TabVisible()) return page;
    } while (i != s);
    return nullptr;
}

void TKtPageControl::SelectNextPage(bool forward) {
    if (TKtTabSheet* page = FindNextPage(active_page_, forward, true)) SetActivePage(page);
}

bool TKtPageControl::DialogKey(int key, TShiftState shift) {
    if (TKtCustomTabControl::DialogKey(key, shift)) return true;
    if (key != VK_TAB || !(shift & ssCtrl)) return false;
    TForm* form = GetParentForm(this);
    if (form == nullptr || !IsInside(form->ActiveControl(), *this)) return false;
    SelectNextPage(!(shift & ssShift));
    return true;
}

void TKtPageControl::CloseSelectedTab() {
    if (active_page_ == nullptr) return;
    const int t = TabIndex();
    delete active_page_;
    const int next = t > 0 ? t - 1 : t;
    // With no tab left there is nothing to select: TabIndex stays -1.
    if (next >= 0 && next < Tabs().Count()) SetTabIndex(next);
}

void TKtPageControl::MoveSelectedTab(int newIndex) {
    if (active_page_ != nullptr) active_page_->SetPageIndex(newIndex);
}

void TKtPageControl::HideAllTabs() {
    for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->SetTabVisible(false);
}

void TKtPageControl::ShowAllTabs() {
    for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->SetTabVisible(true);
}

void TKtPageControl::DoPaintCardBackground(TCanvas& aCanvas, int aRow, const TRect& aRect, bool& handled) {
    TKtCustomTabControl::DoPaintCardBackground(aCanvas, aRow, aRect, handled);
    if (handled || aRow != 0 || TabIndex() < 0 || active_page_ == nullptr) return;
    aCanvas.Brush.Color = active_page_->GetColor();
    aCanvas.Brush.Style = TBrushStyle::bsSolid;
    aCanvas.FillRect(aRect);
    handled = true;
}

void TKtPageControl::ColorChanged() {
    if (!UseColoredTabs())
        for (TKtTabSheet* page : pages_) page->SetColor(Color());
    TKtCustomTabControl::ColorChanged();
}

void TKtPageControl::SetUseColoredTabs(bool v) {
    TKtCustomTabControl::SetUseColoredTabs(v);
    if (Parent() != nullptr && !UseColoredTabs()) ColorChanged();
}

void TKtPageControl::DoEnter() {
    TKtCustomTabControl::DoEnter();
    if (active_page_ == nullptr || active_page_->TabVisible()) return;
    // A page without a tab hands the focus straight to its controls.
    for (int i = 0; i < active_page_->ControlCount(); ++i) {
        TControl* child = active_page_->Controls(i);
        if (IsWindowedControl(*child) && child->CanFocus()) {
            child->SetFocus();
            return;
        }
    }
}

void TKtPageControl::Loaded() {
    TKtCustomTabControl::Loaded();
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{in_loaded_};
    in_loaded_ = true;
    LayoutTabs();
    SetTabIndex(-1);
    TKtTabSheet* show = active_page_;
    if (active_page_default_ != nullptr && active_page_default_ != active_page_) {
        show = active_page_default_;
        if (active_page_ != nullptr) active_page_->SetShown(false);
    }
    active_page_ = nullptr;
    TabsChanged();
    SetActivePage(show);
}

void TKtPageControl::Notification(TComponent* component, TOperation operation) {
    TKtCustomTabControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == active_page_default_) active_page_default_ = nullptr;
}

void TKtPageControl::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
    (void)root;
    for (TKtTabSheet* page : pages_) visit(page);
}

const ClassInfo& TKtPageControl::StaticClass() {
    using T = TKtPageControl;
    static const ClassInfo info("TKtPageControl", &TKtCustomTabControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Reference<T, TKtTabSheet>(
                                        "ActivePage", [](const T& c) { return c.ActivePage(); },
                                        [](T& c, TKtTabSheet* p) { c.SetActivePage(p); }),
                                    prop::Reference<T, TKtTabSheet>(
                                        "ActivePageDefault", [](const T& c) { return c.ActivePageDefault(); },
                                        [](T& c, TKtTabSheet* p) { c.SetActivePageDefault(p); }),
                                    prop::Bool<T>(
                                        "SaveResources", [](const T& c) { return c.SaveResources(); },
                                        [](T& c, bool v) { c.SetSaveResources(v); }, false),
                                    prop::Bool<T>("DblClickUndocks", &T::DblClickUndocks, true),
                                },
                                {prop::Default("Height", StoredValue::Int(150))});
    return info;
}

DLK_REGISTER_CLASS(TKtPageControl);

}  // namespace dlk
