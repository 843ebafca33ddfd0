#pragma once

#include <string>
#include <vector>

#include "framework/controls/control.h"

class QComboBox;

namespace dlk {

enum class TComboBoxStyle : std::uint8_t { csDropDown, csDropDownList };

// A drop-down list of texts. ItemIndex -1 is no selection, which a list of
// style csDropDownList then shows as an empty field; setting an index
// outside the items selects nothing. OnChange follows the user's choice (or
// typing), not the program's.
class TComboBox : public TControl {
    DLK_COMPONENT(TComboBox)
public:
    explicit TComboBox(TComponent* owner);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle v);

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    // The items as one text, a line each (lines end in "\n" or "\r\n").
    std::string ItemsText() const;
    void SetItemsText(const std::string& text);
    void AddItem(const std::string& item);
    void Clear();

    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Text() const override;
    void SetText(const std::string& text) override;

    TNotifyEvent OnChange;

private:
    QComboBox* Combo() const;
    void FollowTyping();
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    std::vector<std::string> items_;
};

}  // namespace dlk
