#pragma once

#include <algorithm>
#include <list>
#include <memory>

#include "framework/core/geometry.h"
#include "tabs/core/tab_errors.h"

namespace dlk {

// The regions of the tab shapes built last, newest first, at most Capacity of
// them (-1: no limit). The cache owns every region it is given; a region found
// is only lent, until the next AddRegion, SetCapacity or Clear.
template <class Region>
class TKtTabRegionCache {
public:
    int Capacity() const { return capacity_; }
    int Count() const { return int(items_.size()); }

    // The region built for exactly this rectangle, or nullptr. A hit does not
    // move the item.
    Region* FindRegion(const TRect& rect) const {
        const auto it = Find(rect);
        return it == items_.end() ? nullptr : it->Owned.get();
    }

    // A rectangle already cached moves to the front and the region given is
    // dropped; otherwise the region is kept at the front, and the oldest item
    // goes when there are more than Capacity.
    void AddRegion(const TRect& rect, std::unique_ptr<Region> region) {
        if (const auto it = Find(rect); it != items_.end() && it->Owned) {
            if (region == it->Owned) (void)region.release();
            items_.splice(items_.begin(), items_, it);
            return;
        }
        items_.push_front({rect, std::move(region)});
        DropOldest();
    }

    void Clear() { items_.clear(); }

    // 0 and anything below -1 raise EKtTabControlError and change nothing.
    void SetCapacity(int value) {
        if (value == 0 || value < -1) throw EKtTabControlError(kRegionCacheCapacityError);
        capacity_ = value;
        DropOldest();
    }

private:
    // One cached clipping region and the rectangle it was built for.
    struct Item {
        TRect Rect;
        std::unique_ptr<Region> Owned;
    };

    typename std::list<Item>::const_iterator Find(const TRect& rect) const {
        return std::find_if(items_.begin(), items_.end(), [&rect](const Item& item) { return item.Rect == rect; });
    }
    void DropOldest() {
        while (capacity_ != -1 && Count() > capacity_) items_.pop_back();
    }

    std::list<Item> items_;
    int capacity_ = 1;
};

}  // namespace dlk
