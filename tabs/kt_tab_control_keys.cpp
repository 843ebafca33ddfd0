#include "tabs/kt_tab_control.h"

namespace dlk {

// Keyboard, focus and the framework's notifications.

void TKtCustomTabControl::KeyDown(int& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
}

bool TKtCustomTabControl::DialogChar(int charCode, TShiftState shift) {
    return TCustomControl::DialogChar(charCode, shift);
}

void TKtCustomTabControl::DoEnter() {
    TCustomControl::DoEnter();
}

void TKtCustomTabControl::DoExit() {
    TCustomControl::DoExit();
}

void TKtCustomTabControl::Resize() {
    TCustomControl::Resize();
    TabsChanged();
}

void TKtCustomTabControl::FontChanged() {
    tab_font_ = Font();
    TabsChanged();
    TCustomControl::FontChanged();
}

void TKtCustomTabControl::ColorChanged() {
    TCustomControl::ColorChanged();
}

void TKtCustomTabControl::ParentColorChanged() {
    TCustomControl::ParentColorChanged();
}

}  // namespace dlk
