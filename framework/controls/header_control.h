#pragma once

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "framework/controls/image_list.h"
#include "framework/controls/std_controls.h"

class QHeaderView;
class QStandardItemModel;

namespace dlk {

class THeaderControl;

// One section of a header control. In a stored description sections are
// listed inside their header, in order:
//   HeaderControl1 : THeaderControl {
//     HeaderSection1 : THeaderSection { Text = "имя"  Width = 150 }
//   }
class THeaderSection : public TComponent {
    DLK_COMPONENT(THeaderSection)
public:
    explicit THeaderSection(TComponent* owner);
    ~THeaderSection() override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int ImageIndex() const { return image_index_; }  // -1: no image
    void SetImageIndex(int index);
    int Index() const;
    THeaderControl* Header() const { return header_; }

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

private:
    friend class THeaderControl;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int image_index_ = -1;
    THeaderControl* header_ = nullptr;
};

enum class TSectionTrackState : std::uint8_t { tsTrackBegin, tsTrackMove, tsTrackEnd };

using TSectionNotifyEvent = std::function<void(THeaderControl* sender, THeaderSection* section)>;
using TSectionTrackEvent =
    std::function<void(THeaderControl* sender, THeaderSection* section, int width, TSectionTrackState state)>;

// A row of column captions the user clicks and whose dividers the user
// drags. A section takes the dragged width at once (OnSectionTrack tells of
// every step); a width set from code raises no event. Sections may be made
// as narrow as 0, so any stored width comes back as it was.
class THeaderControl : public TControl {
    DLK_COMPONENT(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    int SectionCount() const { return int(sections_.size()); }
    THeaderSection* Sections(int index) const { return sections_[std::size_t(index)]; }
    THeaderSection* AddSection();

    // The pictures a section's ImageIndex chooses from; the sections follow
    // changes of the list, and its removal.
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images);
    void Notification(TComponent* component, TOperation operation) override;

    // Changes between these two are shown once, at the end.
    void BeginUpdate();
    void EndUpdate();

    TSectionNotifyEvent OnSectionClick;
    TSectionTrackEvent OnSectionTrack;

    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;

    QHeaderView* HeaderView() const;

private:
    friend class THeaderSection;
    void Attach(THeaderSection* section);
    void Detach(THeaderSection* section);
    void ShowSections();
    void ShowSection(int index);
    void FontChanged() override;  // captions are fitted with the new font
    QString SectionCaption(int index, int width) const;
    QImage SectionImage(const THeaderSection& section) const;
    void SectionClicked(int index);
    void SectionResized(int index, int newWidth);

    std::vector<THeaderSection*> sections_;
    TImageListHold images_{*this, [this] { ShowSections(); }};
    QStandardItemModel* model_ = nullptr;
    int update_count_ = 0;
    bool showing_ = false;  // a change from code, not from the user
};

}  // namespace dlk
