#pragma once

#include <QImage>
#include <functional>
#include <vector>

#include "framework/canvas/canvas.h"
#include "framework/components/class_registry.h"

namespace dlk {

class TImageList;

// A user's subscription to changes of an image list. Either side may go
// first: a link that dies leaves its list, a list that dies lets go of its
// links (Sender() is then nullptr).
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TImageList* Sender() const { return sender_; }
    TNotifyEvent OnChange;

private:
    friend class TImageList;
    TImageList* sender_ = nullptr;
};

// Pictures of one size, chosen by index. Users that keep a pointer to the
// list call FreeNotification(list): they are told, by Notification(list,
// opRemove), while the list is still whole, before any of its members die.
class TImageList : public TComponent {
    DLK_COMPONENT(TImageList)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetWidth(int v) { SetSize(v, height_); }
    void SetHeight(int v) { SetSize(width_, v); }
    void SetSize(int width, int height);
    int Count() const { return int(images_.size()); }

    // Adds picture, cut into Width-wide pieces from the left when it holds
    // several side by side; its alpha channel is the mask. Returns the index
    // of the first piece added, -1 for an empty picture.
    int Add(const QImage& picture);
    // As Add; pixels of maskColor are transparent.
    int AddMasked(const QImage& picture, TColor maskColor);
    void Delete(int index);
    void Clear();
    // The picture at index (Width x Height, with alpha), or a null image.
    QImage Image(int index) const;

    // Draws picture index with its top-left corner at (x, y). Disabled: the
    // greyed form, an embossed shape of the picture's opaque pixels that are
    // not white: clBtnHighlight one pixel down and right, clBtnShadow on top.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    TNotifyEvent OnChange;

protected:
    // Tells the links and OnChange; after every change of the pictures.
    virtual void Change();

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<QImage> images_;
    std::vector<TChangeLink*> links_;
};

// A component's hold on the image list it draws from: changes of the list
// call changed, and so does its removal, which the holder passes on from its
// Notification. The holder keeps one as a member.
class TImageListHold {
public:
    TImageListHold(TComponent& holder, std::function<void()> changed);
    ~TImageListHold() { Set(nullptr, false); }
    TImageListHold(const TImageListHold&) = delete;
    TImageListHold& operator=(const TImageListHold&) = delete;

    TImageList* Get() const { return list_; }
    // Calls changed when the list is another one and notify is true.
    void Set(TImageList* list, bool notify = true);
    // From the holder's Notification; true when the list itself went.
    bool Removed(TComponent* component, TOperation operation);
    // The picture at index, or a null image (also without a list).
    QImage Image(int index) const { return list_ != nullptr ? list_->Image(index) : QImage(); }

private:
    TComponent& holder_;
    std::function<void()> changed_;
    TImageList* list_ = nullptr;
    TChangeLink link_;
};

}  // namespace dlk
