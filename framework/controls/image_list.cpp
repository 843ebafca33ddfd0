#include "framework/controls/image_list.h"

#include <QPainter>
#include <algorithm>

#include "framework/canvas/greyed.h"
#include "framework/components/properties.h"

namespace dlk {

TChangeLink::~TChangeLink() {
    if (sender_ != nullptr) sender_->UnRegisterChanges(this);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    Destroying();
    // Users hear of the removal while the pictures are still there.
    NotifyRemoval();
    for (TChangeLink* link : links_) link->sender_ = nullptr;
    links_.clear();
}

void TImageList::SetSize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    images_.clear();
    Change();
}

int TImageList::Add(const QImage& picture) {
    if (picture.isNull()) return -1;
    const int first = Count();
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const int pieces = std::max(1, source.width() / width_);
    for (int i = 0; i < pieces; ++i) {
        QImage piece(width_, height_, QImage::Format_ARGB32);
        piece.fill(Qt::transparent);
        QPainter p(&piece);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), source, QRect(i * width_, 0, width_, height_));
        p.end();
        images_.push_back(std::move(piece));
    }
    Change();
    return first;
}

int TImageList::AddMasked(const QImage& picture, TColor maskColor) {
    if (picture.isNull()) return -1;
    QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(maskColor).rgb() & 0x00FFFFFFu;
    for (int y = 0; y < masked.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((row[x] & 0x00FFFFFFu) == key) row[x] = 0;
    }
    return Add(masked);
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    images_.erase(images_.begin() + index);
    Change();
}

void TImageList::Clear() {
    if (images_.empty()) return;
    images_.clear();
    Change();
}

QImage TImageList::Image(int index) const {
    if (index < 0 || index >= Count()) return {};
    return images_[std::size_t(index)];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const QImage& picture = images_[std::size_t(index)];
    if (enabled) {
        canvas.Draw(x, y, picture);
        return;
    }
    DrawGreyed(canvas, x, y, picture);
}

void TImageList::RegisterChanges(TChangeLink* link) {
    if (link == nullptr || link->sender_ == this) return;
    if (link->sender_ != nullptr) link->sender_->UnRegisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
    if (link == nullptr || link->sender_ != this) return;
    std::erase(links_, link);
    link->sender_ = nullptr;
}

void TImageList::Change() {
    if (IsDestroying()) return;
    // A handler may unregister links or free a user; tell only those still here.
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange) link->OnChange(this);
    Raise(OnChange, this);
}

TImageListHold::TImageListHold(TComponent& holder, std::function<void()> changed)
    : holder_(holder), changed_(std::move(changed)) {
    link_.OnChange = [this](TObject*) { changed_(); };
}

void TImageListHold::Set(TImageList* list, bool notify) {
    if (list == list_) return;
    if (list_ != nullptr) {
        list_->UnRegisterChanges(&link_);
        holder_.RemoveFreeNotification(list_);
    }
    list_ = list;
    if (list_ != nullptr) {
        list_->RegisterChanges(&link_);
        holder_.FreeNotification(list_);
    }
    if (notify && !holder_.IsDestroying()) changed_();
}

bool TImageListHold::Removed(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove || component == nullptr || component != list_) return false;
    Set(nullptr);
    return true;
}

const ClassInfo& TImageList::StaticClass() {
    using T = TImageList;
    static const ClassInfo info("TImageList", &TComponent::StaticClass(), Creator<T>(),
                                {
                                    prop::Int<T>("Width", &T::Width, &T::SetWidth, 16),
                                    prop::Int<T>("Height", &T::Height, &T::SetHeight, 16),
                                });
    return info;
}

DLK_REGISTER_CLASS(TImageList);

}  // namespace dlk
