#include "tabs/kt_tab_sheet.h"

#include <cstdio>

#include "framework/application/application.h"
#include "framework/components/description_reader.h"
#include "framework/components/properties.h"
#include "framework/controls/control_properties.h"
#include "tabs/core/tab_data.h"
#include "tabs/core/tab_errors.h"
#include "tabs/kt_page_control.h"

namespace dlk {

TKtTabSheet::TKtTabSheet(TComponent* owner) : TCustomControl(owner) {
    // Hidden until its page control makes it the active page.
    SetShown(false);
    SetParentColor(false);
    SetAlign(TAlign::alClient);
}

TKtTabSheet::~TKtTabSheet() {
    // Leaving the page control hides the page: no handler hears of it.
    Destroying();
    if (page_control_ != nullptr) page_control_->RemovePage(this);
}

void TKtTabSheet::SetShown(bool shown) {
    if (shown && !handle_allocated_) handle_allocated_ = true;
    TCustomControl::SetVisible(shown);
}

void TKtTabSheet::SetVisible(bool visible) {
    (void)visible;
    throw EKtTabControlError(kPageVisibleError);
}

void TKtTabSheet::DestroyHandle() {
    handle_allocated_ = false;
}

void TKtTabSheet::SetPageControl(TKtPageControl* control) {
    if (control == page_control_) return;
    if (page_control_ != nullptr) page_control_->RemovePage(this);
    SetParent(control);
    if (control != nullptr) control->InsertPage(this);
}

void TKtTabSheet::NotifyPageControl() {
    if (page_control_ != nullptr) page_control_->TabsChanged();
}

void TKtTabSheet::SetColor(TColor value) {
    if (value == GetColor()) return;
    if (page_control_ != nullptr && !page_control_->UseColoredTabs() && value != page_control_->Color())
        page_control_->SetUseColoredTabs(true);
    TCustomControl::SetColor(value);
    NotifyPageControl();
}

void TKtTabSheet::SetDisabledIndex(int value) {
    if (value == disabled_index_) return;
    disabled_index_ = value;
    NotifyPageControl();
}

void TKtTabSheet::SetImageIndex(int value) {
    if (value == image_index_) return;
    image_index_ = value;
    NotifyPageControl();
}

void TKtTabSheet::SetTabEnabled(bool value) {
    if (value == tab_enabled_) return;
    tab_enabled_ = value;
    NotifyPageControl();
}

void TKtTabSheet::SetTabVisible(bool value) {
    if (value == tab_visible_) return;
    tab_visible_ = value;
    NotifyPageControl();
}

int TKtTabSheet::GetPageIndex() const {
    return page_control_ != nullptr ? page_control_->IndexOfPage(this) : -1;
}

void TKtTabSheet::SetPageIndex(int value) {
    if (page_control_ == nullptr) return;
    const int old = GetPageIndex();
    const int last = page_control_->PageCount() - 1;
    if (value < 0 || value > last) {
        char text[160];
        std::snprintf(text, sizeof text, kPageIndexError, value, last);
        throw EKtTabControlError(text);
    }
    page_control_->MovePage(old, value);
    NotifyPageControl();
    page_control_->DoTabOrderChange(old, value);
}

int TKtTabSheet::TabIndexOf() const {
    if (!tab_visible_) return -1;
    if (page_control_ == nullptr) return 0;
    int index = 0;
    for (int i = 0; i < page_control_->PageCount(); ++i) {
        const TKtTabSheet* page = page_control_->Pages(i);
        if (page == this) break;
        if (page->tab_visible_) ++index;
    }
    return index;
}

void TKtTabSheet::AssignTo(TPersistent& dest) const {
    auto* tab = dynamic_cast<TKtTabData*>(&dest);
    if (tab == nullptr) return TCustomControl::AssignTo(dest);
    tab->Caption = Caption();
    tab->Color = GetColor();
    tab->TabEnabled = tab_enabled_;
    tab->TabVisible = tab_visible_;
    tab->Hint = Hint();
    tab->ImageIndex = image_index_;
    tab->DisabledIndex = disabled_index_;
}

void TKtTabSheet::Paint() {
    const TRect r = Rect(0, 0, Width(), Height());
    bool handled = false;
    // The paint image comes filled with the page's colour: only what a
    // handler drew and left unhandled needs covering.
    if (!OnPaintBackground) return;
    Raise(OnPaintBackground, this, Canvas(), r, handled);
    if (handled) return;
    Canvas().Brush.Color = GetColor();
    Canvas().Brush.Style = TBrushStyle::bsSolid;
    Canvas().FillRect(r);
}

void TKtTabSheet::TextChanged() {
    TCustomControl::TextChanged();
    NotifyPageControl();
}

void TKtTabSheet::ShowingChanged() {
    TCustomControl::ShowingChanged();
    // A handler's exception is reported here and goes no further: the page
    // control's switch that showed or hid the page carries on.
    Guarded([this] {
        if (Showing())
            DoShow();
        else
            DoHide();
    });
}

void TKtTabSheet::ReadState(TReader& reader) {
    TCustomControl::ReadState(reader);
    if (auto* control = dynamic_cast<TKtPageControl*>(reader.Parent())) SetPageControl(control);
}

const ClassInfo& TKtTabSheet::StaticClass() {
    using T = TKtTabSheet;
    static const ClassInfo info(
        "TKtTabSheet", &TCustomControl::StaticClass(), Creator<T>(),
        {
            prop::Color<T>(
                "Color", [](const T& c) { return c.GetColor(); }, [](T& c, TColor v) { c.SetColor(v); }, clBtnFace),
            prop::Int<T>(
                "DisabledIndex", [](const T& c) { return c.DisabledIndex(); },
                [](T& c, std::int64_t v) { c.SetDisabledIndex(int(v)); }, -1),
            prop::Int<T>(
                "ImageIndex", [](const T& c) { return c.ImageIndex(); },
                [](T& c, std::int64_t v) { c.SetImageIndex(int(v)); }, -1),
            prop::Int<T>(
                "PageIndex", [](const T& c) { return c.GetPageIndex(); },
                [](T& c, std::int64_t v) { c.SetPageIndex(int(v)); }),
            prop::Bool<T>(
                "TabEnabled", [](const T& c) { return c.TabEnabled(); }, [](T& c, bool v) { c.SetTabEnabled(v); },
                true),
            prop::Bool<T>(
                "TabVisible", [](const T& c) { return c.TabVisible(); }, [](T& c, bool v) { c.SetTabVisible(v); },
                true),
        },
        {prop::NotStored("PageIndex"), prop::NotStored("Visible"), prop::NotStored("Left"), prop::NotStored("Top"),
         prop::NotStored("Width"), prop::NotStored("Height"), prop::NotStored("ParentColor"),
         prop::Default("Align", StoredValue::Ident("alClient"))});
    return info;
}

}  // namespace dlk
