// The page control as a dock site: a docked control gets a page of its own,
// its caption and visibility follow to the tab, and undocking frees the page.
#include "framework/controls/form.h"
#include "tabs/kt_page_control.h"

namespace dlk {

namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

int TKtPageControl::DockClient(TDragDockObject& source, TPoint mousePos) {
    (void)mousePos;
    TControl& client = *source.Control;
    struct Clear {
        TKtTabSheet*& page;
        ~Clear() { page = nullptr; }
    } clear{new_dock_page_};
    new_dock_page_ = new TKtTabSheet(this);
    try {
        if (auto* form = dynamic_cast<TForm*>(&client)) new_dock_page_->SetCaption(form->Caption());
        new_dock_page_->SetPageControl(this);
        DockControl(client, *this, source.DockRect);
    } catch (...) {
        delete new_dock_page_;
        throw;
    }
    new_dock_page_->SetTabVisible(client.Visible());
    if (client.Visible()) SetActivePage(new_dock_page_);
    client.SetAlign(TAlign::alClient);
    return 0;
}

void TKtPageControl::DoAddDockClient(TControl& client, const TRect& rect) {
    (void)rect;
    if (new_dock_page_ != nullptr) client.SetParent(new_dock_page_);
}

int TKtPageControl::UndockClient(TControl& client, TDockSite* newTarget) {
    (void)newTarget;
    if (TKtTabSheet* page = FindDockPage(client)) {
        undock_page_ = page;
        client.SetAlign(TAlign::alNone);
    }
    return 0;
}

void TKtPageControl::DoRemoveDockClient(TControl& client) {
    (void)client;
    if (undock_page_ == nullptr || IsDestroying()) return;
    SelectNextPage(true);
    TKtTabSheet* page = undock_page_;
    undock_page_ = nullptr;
    delete page;
}

void TKtPageControl::DockNotification(TControl& client, TMessage& message) {
    if (TKtTabSheet* page = FindDockPage(client)) {
        if (message.Msg == CM_TEXTCHANGED)
            page->SetCaption(FirstLine(client.Caption()));
        else if (message.Msg == CM_VISIBLECHANGED)
            page->SetTabVisible(message.WParam != 0);
    }
    TDockSite::DockNotification(client, message);
}

void TKtPageControl::DockOver(TDragDockObject& source, int x, int y, TDockState state, bool& accept) {
    source.DockRect = ScreenRectOf(*this);
    TDockSite::DockOver(source, x, y, state, accept);
}

void TKtPageControl::GetSiteInfo(TControl& client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
    canDock = FindDockPage(client) == nullptr;
    TDockSite::GetSiteInfo(client, influenceRect, mousePos, canDock);
}

TKtTabSheet* TKtPageControl::FindDockPage(const TControl& control) const {
    auto* page = dynamic_cast<TKtTabSheet*>(control.Parent());
    if (page == nullptr || HostDockSite(control) != this) return nullptr;
    return page;
}

TControl* TKtPageControl::DockedControlAt(int x, int y) {
    if (!DockSite()) return nullptr;
    TKtTabSheet* page = GetPageForTab(TabAtPoint(x, y));
    if (page == nullptr || page->ControlCount() == 0) return nullptr;
    TControl* first = page->Controls(0);
    return HostDockSite(*first) == this ? first : nullptr;
}

void TKtPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TKtCustomTabControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || IsDestroying()) return;
    TControl* docked = DockedControlAt(x, y);
    if (docked == nullptr) return;
    if (shift & ssDouble) {
        CancelDockDrag();
        if (DblClickUndocks) FloatControl(*docked, ScreenRectOf(*docked));
    } else {
        BeginDockDrag(*docked, false, ClientToScreen(Point(x, y)));
    }
}

}  // namespace dlk
