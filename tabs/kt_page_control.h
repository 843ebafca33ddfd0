#pragma once

#include <vector>

#include "framework/controls/docking.h"
#include "tabs/kt_tab_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk {

// The tab control turned into a container of pages: one tab for every page
// whose tab is visible, in page order; selecting a tab shows its page. It can
// serve as a dock site, where a docked control gets a page of its own.
class TKtPageControl : public TKtCustomTabControl, public TDockSite {
    DLK_COMPONENT(TKtPageControl)
public:
    explicit TKtPageControl(TComponent* owner);
    ~TKtPageControl() override;

    // Outside 0..PageCount-1: the list index error.
    TKtTabSheet* Pages(int index) const { return GetPage(index); }
    virtual TKtTabSheet* GetPage(int index) const;
    int PageCount() const { return GetPageCount(); }
    virtual int GetPageCount() const { return int(pages_.size()); }
    int IndexOfPage(const TKtTabSheet* page) const;

    TKtTabSheet* ActivePage() const { return active_page_; }
    virtual void SetActivePage(TKtTabSheet* page);
    virtual int GetActivePageIndex() const;
    virtual void SetActivePageIndex(int index);
    TKtTabSheet* ActivePageDefault() const { return active_page_default_; }
    void SetActivePageDefault(TKtTabSheet* page);
    bool SaveResources() const { return save_resources_; }
    virtual void SetSaveResources(bool value);
    bool DblClickUndocks = true;

    // The page after (or before) start, wrapping; start itself comes last.
    TKtTabSheet* FindNextPage(TKtTabSheet* start, bool forward, bool visibleTabsOnly) const;
    void SelectNextPage(bool forward);

    // Docking: the page holding a docked control, and the docked control
    // under a point (client coordinates).
    TKtTabSheet* FindDockPage(const TControl& control) const;
    TControl* DockedControlAt(int x, int y);
    TKtTabSheet* NewDockPage() const { return new_dock_page_; }

    // The page control's steps of the tab strip.
    void DoChanging(int newIndex, bool& allowChange) override;
    void TabsChanged() override;
    void DoPaintCardBackground(TCanvas& aCanvas, int aRow, const TRect& aRect, bool& handled) override;
    void CloseSelectedTab() override;
    void MoveSelectedTab(int newIndex) override;
    void SetUseColoredTabs(bool v) override;
    void DoChange() override;
    void HideAllTabs() override;
    void ShowAllTabs() override;
    void DoPageChange() override;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;
    bool DialogKey(int key, TShiftState shift) override;

    // Dock site steps.
    int DockClient(TDragDockObject& source, TPoint mousePos) override;
    void DoAddDockClient(TControl& client, const TRect& rect) override;
    int UndockClient(TControl& client, TDockSite* newTarget) override;
    void DoRemoveDockClient(TControl& client) override;
    void DockNotification(TControl& client, TMessage& message) override;
    void DockOver(TDragDockObject& source, int x, int y, TDockState state, bool& accept) override;
    void GetSiteInfo(TControl& client, TRect& influenceRect, TPoint mousePos, bool& canDock) override;

protected:
    void ColorChanged() override;
    void DoEnter() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    friend class TKtTabSheet;
    void InsertPage(TKtTabSheet* page);
    void RemovePage(TKtTabSheet* page);
    void MovePage(int from, int to);
    void ChangeActivePage(TKtTabSheet* page);
    TKtTabSheet* GetPageForTab(int tabIndex) const;

    TKtTabSheet* active_page_ = nullptr;
    TKtTabSheet* active_page_default_ = nullptr;
    TKtTabSheet* new_dock_page_ = nullptr;
    TKtTabSheet* undock_page_ = nullptr;
    std::vector<TKtTabSheet*> pages_;
    bool save_resources_ = false;
    bool in_loaded_ = false;
};

}  // namespace dlk
