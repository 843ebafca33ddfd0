#pragma once

#include <algorithm>
#include <list>
#include <memory>

#include "framework/canvas/geometry.h"
#include "tabs/core/tab_errors.h"

namespace dlk {

// One cached clipping region of a tab shape and the rectangle it was built
// for. The item owns its region.
template <class Region>
class TKtTabRegionCacheItem {
public:
    TKtTabRegionCacheItem() = default;
    virtual ~TKtTabRegionCacheItem() = default;
    TKtTabRegionCacheItem(const TKtTabRegionCacheItem&) = delete;
    TKtTabRegionCacheItem& operator=(const TKtTabRegionCacheItem&) = delete;

    TRect Rect{-1, -1, -1, -1};
    Region* GetRegion() const { return region_.get(); }
    // Frees the region held before, unless it is the one given.
    virtual void SetRegion(std::unique_ptr<Region> region) {
        if (region.get() == region_.get()) {
            (void)region.release();
            return;
        }
        region_ = std::move(region);
    }

private:
    std::unique_ptr<Region> region_;
};

// The regions of the tab shapes built last, newest first, at most Capacity of
// them (-1: no limit). The cache owns every region it is given; a region found
// is only lent, until the next AddRegion, SetCapacity or Clear.
template <class Region>
class TKtTabRegionCache {
public:
    using Item = TKtTabRegionCacheItem<Region>;

    int Capacity() const { return capacity_; }
    int Count() const { return int(items_.size()); }

    // The region built for exactly this rectangle, or nullptr. A hit does not
    // move the item.
    Region* FindRegion(const TRect& rect) const {
        for (const auto& item : items_)
            if (item->Rect == rect) return item->GetRegion();
        return nullptr;
    }

    // A rectangle already cached moves to the front and the region given is
    // dropped; otherwise the region is kept at the front, and the oldest item
    // goes when there are more than Capacity.
    void AddRegion(const TRect& rect, std::unique_ptr<Region> region) {
        if (Region* found = FindRegion(rect)) {
            auto it = std::find_if(items_.begin(), items_.end(),
                                   [found](const auto& item) { return item->GetRegion() == found; });
            items_.splice(items_.begin(), items_, it);
            if (region.get() == found) (void)region.release();
            return;
        }
        auto item = std::make_unique<Item>();
        item->Rect = rect;
        item->SetRegion(std::move(region));
        items_.push_front(std::move(item));
        if (capacity_ != -1 && Count() > capacity_) items_.pop_back();
    }

    void Clear() { items_.clear(); }

    // 0 and anything below -1 raise EKtTabControlError and change nothing.
    void SetCapacity(int value) {
        if (value == 0 || value < -1) throw EKtTabControlError(kRegionCacheCapacityError);
        if (value == capacity_) return;
        capacity_ = value;
        if (capacity_ == -1) return;
        while (Count() > capacity_) items_.pop_back();
    }

private:
    std::list<std::unique_ptr<Item>> items_;
    int capacity_ = 1;
};

}  // namespace dlk
