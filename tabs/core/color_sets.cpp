#include "tabs/core/color_sets.h"

namespace dlk {

void TKtColorSet::Change(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    if (repaint_) repaint_();
}

void TKtColorSet::CopyFrom(const TKtColorSet& source) {
    bool changed = false;
    for (int i = 0; i < 3; ++i) {
        changed |= colors_[i] != source.colors_[i];
        colors_[i] = source.colors_[i];
    }
    if (changed && repaint_) repaint_();
}

TKtTabColors::TKtTabColors(TKtRepaintControl repaint) : TKtColorSet(std::move(repaint)) {
    colors_[0] = clHighlight;
    colors_[1] = clBtnFace;
    colors_[2] = clWindow;
}

void TKtTabColors::Assign(const TPersistent& source) {
    if (auto* set = dynamic_cast<const TKtTabColors*>(&source)) return CopyFrom(*set);
    AssignError(&source);
}

TKtTextColors::TKtTextColors(TKtRepaintControl repaint) : TKtColorSet(std::move(repaint)) {
    colors_[0] = clGrayText;
    colors_[1] = clBtnText;
    colors_[2] = clBtnText;
}

void TKtTextColors::Assign(const TPersistent& source) {
    if (auto* set = dynamic_cast<const TKtTextColors*>(&source)) return CopyFrom(*set);
    AssignError(&source);
}

}  // namespace dlk
