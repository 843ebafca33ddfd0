#pragma once

#include <functional>

#include "framework/controls/control.h"

class QScrollBar;

namespace dlk {

enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };
enum class TScrollCode : std::uint8_t {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

// position may be changed by the handler; the bar then takes it.
using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& position)>;

// A scroll bar with the classic range: positions run from Min to Max, and
// with a PageSize the thumb covers PageSize of them, so the last position is
// Max - PageSize + 1. Only the user's moves raise OnScroll; setting Min, Max,
// PageSize or Position from code never does, so a handler may set them.
class TScrollBar : public TControl {
    DLK_COMPONENT(TScrollBar)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int PageSize() const { return page_size_; }
    void SetPageSize(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    void SetParams(int position, int min, int max);
    int SmallChange = 1;
    int LargeChange = 1;

    TScrollEvent OnScroll;

    // The last position the thumb can reach.
    int LastPosition() const;

    QScrollBar* Bar() const;

private:
    void ShowRange();
    void UserAction(int action);

    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int page_size_ = 0;
    int position_ = 0;
    bool showing_ = false;
};

}  // namespace dlk
