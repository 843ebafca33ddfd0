#pragma once

#include <QImage>
#include <vector>

#include "framework/canvas/canvas.h"
#include "framework/core/class_registry.h"

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
    int AddPieces(const QImage& picture);
    int width_ = 16;
    int height_ = 16;
    std::vector<QImage> images_;
    std::vector<TChangeLink*> links_;
};

}  // namespace dlk
