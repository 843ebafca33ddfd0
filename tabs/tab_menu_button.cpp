#include "tabs/glyphs.h"
#include "tabs/kt_tab_control.h"
#include "tabs/strip_buttons.h"

namespace dlk {

namespace {

// Where the menu drops from, in the button's client coordinates, and which
// of its edges goes there: it opens towards the card and stays beside the
// strip.
struct MenuAnchor {
    TPoint at;
    TPopupAlignment alignment;
};

MenuAnchor AnchorOf(TKtTabOrientation orientation, TKtTabSequence sequence, int w, int h) {
    const bool standard = sequence == TKtTabSequence::tsStandard;
    using A = TPopupAlignment;
    switch (orientation) {
        case TKtTabOrientation::toTop: return standard ? MenuAnchor{{w, h}, A::paRight} : MenuAnchor{{0, h}, A::paLeft};
        case TKtTabOrientation::toLeft: return {{w, 0}, A::paLeft};
        case TKtTabOrientation::toBottom:
            return standard ? MenuAnchor{{w, 0}, A::paRight} : MenuAnchor{{0, 0}, A::paLeft};
        case TKtTabOrientation::toRight: break;
    }
    return {{0, 0}, A::paRight};
}

std::uint8_t ArrowTowardsCard(TKtTabOrientation orientation) {
    switch (orientation) {
        case TKtTabOrientation::toTop: return 1;
        case TKtTabOrientation::toLeft: return 3;
        case TKtTabOrientation::toBottom: return 0;
        case TKtTabOrientation::toRight: break;
    }
    return 2;
}

}  // namespace

TKtTabMenuButton::TKtTabMenuButton(TKtCustomTabControl* control)
    : TKtTabStripButton(control), menu_(std::make_unique<TPopupMenu>(nullptr)) {}

TKtTabMenuButton::~TKtTabMenuButton() = default;

void TKtTabMenuButton::Paint() {
    const TRect r = ClientRect();
    PaintFace(r, inside_);
    ArrowGlyph(Canvas(), r, ArrowTowardsCard(TabControl().TabOrientation()), inside_, true);
}

void TKtTabMenuButton::BuildMenu() {
    TMenuItem& items = menu_->Items();
    while (items.Count() > 0) delete items.Items(items.Count() - 1);
    TKtCustomTabControl& control = TabControl();
    menu_->SetImages(control.Images());
    for (int i = 0; i < control.Tabs().Count(); ++i) {
        const TKtTabData& tab = *control.Tabs().Items(i);
        if (!tab.TabVisible) continue;
        auto* item = new TMenuItem(control.Owner());
        item->SetCaption(tab.Caption);
        item->SetEnabled(tab.TabEnabled);
        item->SetChecked(i == control.TabIndex());
        item->SetImageIndex(!tab.TabEnabled && tab.DisabledIndex != -1 ? tab.DisabledIndex : tab.ImageIndex);
        item->Tag = i;
        item->OnClick = [&control](TObject* sender) { control.SetTabIndex(int(static_cast<TMenuItem*>(sender)->Tag)); };
        items.Add(item);
    }
}

void TKtTabMenuButton::ClickStep() {
    Raise(OnDisplayMenu, this);
    BuildMenu();
    const TKtCustomTabControl& control = TabControl();
    const MenuAnchor anchor = AnchorOf(control.TabOrientation(), control.TabSequence(), Width(), Height());
    const TPoint at = ClientToScreen(anchor.at);
    menu_->Alignment = anchor.alignment;
    menu_->Popup(at.X, at.Y);
}

const ClassInfo& TKtTabMenuButton::StaticClass() {
    static const ClassInfo info("TKtTabMenuButton", &TKtTabStripButton::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk
