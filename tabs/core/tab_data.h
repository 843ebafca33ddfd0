#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/colors.h"
#include "framework/core/geometry.h"
#include "framework/core/persistent.h"

namespace dlk {

// One tab of a tab control; its index in the list is the tab index.
class TKtTabData : public TPersistent {
public:
    std::string Caption;
    TColor Color = clBtnFace;
    int DisabledIndex = -1;  // image shown while the tab is disabled; -1 none
    bool TabEnabled = true;
    std::string Hint;
    int ImageIndex = -1;
    TRect LayoutRect;  // in strip coordinates, written by the layout
    bool TabVisible = true;
    int Row = 0;  // 0: the row next to the card

    // From another tab: everything but LayoutRect and Row, which belong to
    // the layout of this tab's own control.
    void Assign(const TPersistent& source) override;
    const char* ClassName() const override { return "TKtTabData"; }
};

// The tabs of a control. The list owns them: a tab replaced, cleared or left
// in the list when it dies is freed.
class TKtTabDataList : public TPersistent {
public:
    int Count() const { return int(tabs_.size()); }
    // Outside 0..Count-1: the list index error.
    TKtTabData* Items(int index) const;
    // Frees the tab at index and keeps tab there; storing the tab that is
    // already there changes nothing.
    void SetItem(int index, std::unique_ptr<TKtTabData> tab);
    int Add(std::unique_ptr<TKtTabData> tab);
    void Clear();
    // From another list: copies of its tabs, never its objects.
    void Assign(const TPersistent& source) override;
    const char* ClassName() const override { return "TKtTabDataList"; }

private:
    std::vector<std::unique_ptr<TKtTabData>> tabs_;
};

}  // namespace dlk
