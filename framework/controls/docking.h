#pragma once

#include <functional>

#include "framework/controls/control.h"

namespace dlk {

class TDockSite;

// How far (either axis) the pointer moves from where a dock drag was begun
// before the drag starts. Ours, the same on every platform.
inline constexpr int kDockDragThreshold = 5;

enum class TDockState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

// A control on its way to a dock site: the rectangle to show (screen
// coordinates) and the site it is over.
struct TDragDockObject {
    TControl* Control = nullptr;
    TRect DockRect{};
    TDockSite* DragTarget = nullptr;
    TPoint DragPos{};
};

using TDockOverEvent =
    std::function<void(TObject* sender, TDragDockObject& source, int x, int y, TDockState state, bool& accept)>;
using TDockDropEvent = std::function<void(TObject* sender, TDragDockObject& source, int x, int y)>;
using TGetSiteInfoEvent =
    std::function<void(TObject* sender, TControl* dockClient, TRect& influenceRect, TPoint mousePos, bool& canDock)>;
using TUnDockEvent = std::function<void(TObject* sender, TControl* client, TDockSite* newTarget, bool& allow)>;

// The side a control that takes docked controls adds to itself. Each step
// below is a notification the machinery gives the site; the defaults are
// those of a plain site, a derived class changes what it needs.
class TDockSite {
public:
    explicit TDockSite(TControl& self);
    virtual ~TDockSite();
    TDockSite(const TDockSite&) = delete;
    TDockSite& operator=(const TDockSite&) = delete;

    TControl& SiteControl() const { return self_; }
    bool DockSite() const { return dock_site_; }
    void SetDockSite(bool v) { dock_site_ = v; }
    // The controls docked here now, in docking order.
    int DockClientCount() const;
    TControl* DockClients(int index) const;

    // A drop of source at (x, y), client coordinates: DockClient, then
    // OnDockDrop.
    void DockDrop(TDragDockObject& source, int x, int y);
    // The client dropped here; the default docks it with the drop rectangle.
    // A nonzero result stops the drop.
    virtual int DockClient(TDragDockObject& source, TPoint mousePos);
    // The client joined; the default makes it a child of the site.
    virtual void DoAddDockClient(TControl& client, const TRect& rect);
    // The client is about to leave (newTarget nullptr: it floats).
    virtual int UndockClient(TControl& client, TDockSite* newTarget);
    // The client has left.
    virtual void DoRemoveDockClient(TControl& client) { (void)client; }
    // A docked client's caption (CM_TEXTCHANGED) or visibility
    // (CM_VISIBLECHANGED) changed.
    virtual void DockNotification(TControl& client, TMessage& message) {
        (void)client;
        (void)message;
    }
    // A dock drag is over the site; accept starts true. The default raises
    // OnDockOver.
    virtual void DockOver(TDragDockObject& source, int x, int y, TDockState state, bool& accept);
    // Whether client may dock here with the pointer at mousePos (screen),
    // and where the site reaches (influenceRect, screen, starts as the
    // site's own rectangle). The default raises OnGetSiteInfo.
    virtual void GetSiteInfo(TControl& client, TRect& influenceRect, TPoint mousePos, bool& canDock);

    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TGetSiteInfoEvent OnGetSiteInfo;
    TUnDockEvent OnUnDock;

private:
    TControl& self_;
    bool dock_site_ = false;
};

// The control's rectangle in screen coordinates.
TRect ScreenRectOf(const TControl& control);

// The site the control is docked in, nullptr when it is not docked.
TDockSite* HostDockSite(const TControl& control);

// Docks control into site with rect (screen coordinates) as where it was
// dropped: its old site is told it leaves, the new one that it joins. From
// then on its caption and visibility changes reach the site.
void DockControl(TControl& control, TDockSite& site, const TRect& rect);

// Undocks control to float on its own in a window of ours at rect (screen
// coordinates); the host window goes when the control docks again or dies.
// Nothing for a control that is docked nowhere.
void FloatControl(TControl& control, const TRect& rect);
// The window a floating control sits in, nullptr when it does not float.
TControl* FloatingHost(const TControl& control);

// Arms a dock drag of control, the pointer pressed at start (screen
// coordinates): it starts once the pointer, held down, has moved
// kDockDragThreshold pixels from there (at once when immediate), follows the
// pointer over the dock sites of the program's windows and ends at the
// button's release, docking the control into the site that accepts it or
// floating it where it was let go.
void BeginDockDrag(TControl& control, bool immediate, TPoint start);
// The dock drag in progress (armed or started), nullptr when none.
const TDragDockObject* DockDragInProgress();
void CancelDockDrag();

}  // namespace dlk
