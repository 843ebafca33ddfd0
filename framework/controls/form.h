#pragma once

#include <QPointer>
#include <algorithm>
#include <functional>
#include <string>

#include "framework/controls/control.h"

class QMenuBar;
class QEventLoop;

namespace dlk {

class TMainMenu;

enum class TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
enum class TBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition : std::uint8_t { poDesigned, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A window. Left, Top, Width and Height are its outer rectangle, frame
// included (a fixed frame per border style, so that sizes are the same on
// every desktop); the client area is what the controls see.
//
// A window class reads its description and binds its handlers in its
// constructor, then calls DoCreate; its destructor calls DoDestroy first,
// while its members still live.
class TForm : public TControl {
    DLK_COMPONENT(TForm)
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    void DoCreate();
    void DoDestroy();

    int ClientWidth() const override { return std::max(0, Width() - FrameWidth()); }
    int ClientHeight() const override { return std::max(0, Height() - FrameHeight()); }
    void SetClientWidth(int v) override { SetWidth(v + FrameWidth()); }
    void SetClientHeight(int v) override { SetHeight(v + FrameHeight()); }
    int FrameWidth() const;
    int FrameHeight() const;

    TFormStyle FormStyle() const { return form_style_; }
    void SetFormStyle(TFormStyle v);
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle v);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition v) { position_ = v; }
    bool ShowInTaskbar() const { return show_in_taskbar_; }
    void SetShowInTaskbar(bool v);
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // Constraints; 0: none
    void ApplyConstraints();
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    void Close();
    bool CloseQuery();
    int ShowModal();
    int ModalResult() const { return modal_result_; }
    void SetModalResult(int v);
    bool Modal() const { return modal_; }
    bool IsMainForm() const;
    // The window the program ends with; its owner for boxes.
    void MakeMainForm();
    bool Minimized() const;
    void BringToForeground();

    // Answers ShowModal in tests: the function plays the user on the shown
    // form (fills edits, clicks buttons); a form it leaves without a modal
    // result answers mrCancel. Empty: a real modal loop.
    static void SetModalAnswerer(std::function<void(TForm&)> answerer);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // The control inside that has (or, while the window is hidden, will get)
    // the keyboard focus; nullptr: none. Follows the focus as it moves.
    TControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TControl* control);

    void Loaded() override;
    void AfterRead() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    bool IsWindow() const override { return true; }
    void Paint() override { Raise(OnPaint, this); }
    void TextChanged() override;
    void ApplyGeometry() override;
    void SyncSizeFromWidget() override;
    void AdjustClientRect(TRect& rect) override;
    void Resize() override;
    bool PreviewEvent(QEvent* event) override;

private:
    friend class TControl;  // tells the window which control took the focus
    void NoteFocused(TControl* control);
    void FocusOnShow();
    bool Closes();
    void ApplyWindowFlags();
    void PlaceOnFirstShow();
    void SetTransientParent();
    int MenuBarHeight() const;

    TFormStyle form_style_ = TFormStyle::fsNormal;
    TBorderStyle border_style_ = TBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    bool show_in_taskbar_ = true;
    bool created_ = false;
    bool destroyed_ = false;
    bool shown_once_ = false;
    bool modal_ = false;
    int modal_result_ = mrNone;
    QEventLoop* modal_loop_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TControl* active_control_ = nullptr;
    QPointer<QMenuBar> menu_bar_;
};

// The window the control is on (the control itself for a window), or nullptr
// while it is on none.
TForm* GetParentForm(const TControl* control);

}  // namespace dlk
