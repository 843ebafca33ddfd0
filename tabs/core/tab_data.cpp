#include "tabs/core/tab_data.h"

#include "framework/core/list_error.h"

namespace dlk {

void TKtTabData::Assign(const TPersistent& source) {
    if (auto* tab = dynamic_cast<const TKtTabData*>(&source)) {
        Caption = tab->Caption;
        DisabledIndex = tab->DisabledIndex;
        ImageIndex = tab->ImageIndex;
        Color = tab->Color;
        TabEnabled = tab->TabEnabled;
        TabVisible = tab->TabVisible;
        Hint = tab->Hint;
        return;
    }
    TPersistent::Assign(source);
}

TKtTabData* TKtTabDataList::Items(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return tabs_[std::size_t(index)].get();
}

void TKtTabDataList::SetItem(int index, std::unique_ptr<TKtTabData> tab) {
    if (index < 0 || index >= Count()) ListIndexError(index);
    std::unique_ptr<TKtTabData>& slot = tabs_[std::size_t(index)];
    if (slot == tab) {
        // Already ours: freeing it first would keep a freed tab in the list.
        (void)tab.release();
        return;
    }
    slot = std::move(tab);
}

int TKtTabDataList::Add(std::unique_ptr<TKtTabData> tab) {
    tabs_.push_back(std::move(tab));
    return Count() - 1;
}

void TKtTabDataList::Clear() {
    tabs_.clear();
}

void TKtTabDataList::Assign(const TPersistent& source) {
    if (auto* list = dynamic_cast<const TKtTabDataList*>(&source)) {
        if (list == this) return;
        Clear();
        for (int i = 0; i < list->Count(); ++i) {
            auto tab = std::make_unique<TKtTabData>();
            tab->Assign(*list->Items(i));
            Add(std::move(tab));
        }
        return;
    }
    TPersistent::Assign(source);
}

}  // namespace dlk
