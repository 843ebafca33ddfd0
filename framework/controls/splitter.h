#pragma once

#include "framework/controls/control.h"

namespace dlk {

// The size a splitter drag gives the control it resizes: the size at the
// start of the drag grown by how far the bar moved towards the rest of the
// window, kept between minSize and maxSize.
int SplitterDragSize(int startSize, int growth, int minSize, int maxSize);

// A bar between two aligned controls that the user drags to share the space
// between them. It resizes the neighbour aligned to the same side and lying
// right against it (for a bar aligned to the bottom: the control just below
// it); the control that fills the rest keeps at least MinSize, and so does
// the resized one.
class TSplitter : public TCustomControl {
    DLK_COMPONENT(TSplitter)
public:
    explicit TSplitter(TComponent* owner);

    bool Beveled() const { return beveled_; }
    void SetBeveled(bool v);
    int MinSize() const { return min_size_; }
    void SetMinSize(int v) { min_size_ = v < 1 ? 1 : v; }

    // The control a drag would resize now, or nullptr.
    TControl* ResizedControl() const;

    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool PreviewEvent(QEvent* event) override;

private:
    bool Vertical() const;  // the bar moves up and down
    int PositionInParent(int x, int y) const;
    int Extent(const TControl& control) const;
    int FillingExtent() const;

    bool beveled_ = false;
    int min_size_ = 30;
    TControl* dragged_ = nullptr;
    int drag_start_ = 0;
    int start_size_ = 0;
    int max_size_ = 0;
};

}  // namespace dlk
