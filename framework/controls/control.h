#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/application/messages.h"
#include "framework/application/virtual_keys.h"
#include "framework/canvas/canvas.h"
#include "framework/components/class_registry.h"

namespace dlk {

class TPopupMenu;
class TControl;
class TReader;

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : std::uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = std::uint8_t;
// Where a drag is, seen from the control it is over.
enum class TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// One wheel notch; handled true stops the wheel going on to the parent.
using TMouseWheelUpDownEvent = std::function<void(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled)>;
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
// key is the classic virtual-key code; setting it to 0 consumes the key.
using TKeyEvent = std::function<void(TObject* sender, int& key, TShiftState shift)>;

// Connects a Qt widget to the control that owns it. Every event Qt delivers
// goes to the control inside the exception guard; once the control starts to
// die the link is cut, so no event reaches a half-destroyed control.
class ControlLink {
public:
    TControl* Control = nullptr;
    std::function<bool(QEvent*)> BaseEvent;
    std::function<void(QPaintEvent*)> BasePaint;
};

// A visible control over one Qt widget. Geometry is in the parent's client
// coordinates. Child controls are freed by their parent, before its widget.
class TControl : public TComponent {
    DLK_COMPONENT(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    QWidget* Widget() const { return widget_; }

    TControl* Parent() const { return parent_; }
    virtual void SetParent(TControl* parent);
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_[std::size_t(index)]; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    virtual void SetClientWidth(int v) { SetWidth(v); }
    virtual void SetClientHeight(int v) { SetHeight(v); }
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Shown, and every parent up to the window shown too.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    virtual std::string Text() const { return caption_; }
    virtual void SetText(const std::string& text) { SetCaption(text); }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parent_color_; }
    void SetParentColor(bool v);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool v);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool v) {
        show_hint_ = v;
        SetHint(hint_);
    }
    std::intptr_t Tag = 0;
    // The place among the parent's children in Tab's round (0 first); -1
    // without a parent. Setting it moves the control there, the others keep
    // their order. While a description is read the stored numbers are kept
    // and put in force once the parent's children are all read.
    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool v);
    TPopupMenu* PopupMenu() const { return popup_menu_; }
    void SetPopupMenu(TPopupMenu* menu);

    void Invalidate();
    void Repaint();
    void Update();
    void BringToFront();
    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    // The control after (or before) current among this control's children
    // and their children, in Tab's round, wrapping; current nullptr starts
    // the round. checkTabStop skips controls without a tab stop,
    // checkParent those that are not direct children. nullptr: none can
    // take the focus.
    TControl* FindNextControl(TControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    // Gives the focus to the first control in Tab's round.
    void SelectFirst();
    // Every control inside this one in Tab's round: each child in tab order,
    // followed by its own.
    std::vector<TControl*> TabOrderList() const;

    // Explicit mouse capture: until released, every mouse event goes to this
    // control wherever the pointer is (Qt's grab; the control must be shown).
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    // The canvas painting goes through; it has an image only inside Paint.
    TCanvas& Canvas() { return canvas_; }

    // Window messages: posted ones and Perform arrive here. Handlers chained
    // by HookWindowProc run before this, newest last (each may call the one it
    // replaced first, as the classic window procedure swap does).
    virtual void WndProc(TMessage& message);
    using WindowProcedure = std::function<void(TMessage&)>;
    // Installs a procedure; it receives the one it replaces.
    void HookWindowProc(const std::function<WindowProcedure(WindowProcedure previous)>& make);
    std::intptr_t Perform(unsigned msg, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

    // Window timers: ids are the program's own.
    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);

    // Dragging this control (framework/controls/drag.h): immediate starts
    // at once, otherwise once the pointer has moved kDragThreshold pixels
    // from where the drag was begun. A second call while armed changes
    // nothing. Dragging: the drag has started and not ended.
    void BeginDrag(bool immediate);
    bool Dragging() const;
    // Ends this control's drag, dropping it where the pointer is when drop.
    void EndDrag(bool drop);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnEnter;  // the control got the keyboard focus
    TNotifyEvent OnExit;   // ... and lost it
    TKeyEvent OnKeyDown;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    void Loaded() override;
    void ReadState(TReader& reader) override;
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return parent_; }
    void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;
    void Notification(TComponent* component, TOperation operation) override;

    // Lays the children out by their Align within the client rectangle.
    void Realign();

    // Entry from the widget (through ControlLink); see control_events.cpp
    // for the contract.
    bool HandleEvent(QEvent* event);
    void HandlePaint(QPaintEvent* event);

private:
    void ShowPicture(const QImage* picture);

protected:
    // The link a derived class gives to its HostWidget, and the adoption of
    // that widget, which the control owns from then on:
    //   SetWidget(new HostWidget<QLabel>(Link()));
    ControlLink* Link() const { return link_.get(); }
    void SetWidget(QWidget* widget);
    // A top-level window (a form) rather than a child control.
    virtual bool IsWindow() const { return false; }
    // The size the widget now has, after Qt resized it.
    virtual void SyncSizeFromWidget();
    // True: the control paints all of itself through Paint on its canvas,
    // double-buffered and opaque.
    void SetCustomPainted(bool on);
    bool CustomPainted() const { return custom_painted_; }
    // False: a press does not move the focus here; the control takes it
    // itself where it wants it (a tab strip, on its selected tab). A tab
    // stop then only puts it in Tab's round.
    void SetFocusOnClick(bool on);

    virtual void Paint() {}
    // A control that composes all of itself off a picture of its own may
    // compose it here and lend it: the paint then shows the picture's part
    // within the client rectangle as it stands, without a copy through the
    // canvas. nullptr: the paint goes through Paint on the canvas.
    virtual const QImage* ComposePicture() { return nullptr; }
    virtual void Click() { Raise(OnClick, this); }
    virtual void DblClick() { Raise(OnDblClick, this); }
    virtual void Resize();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void KeyDown(int& key, TShiftState shift);
    // The default steps of CM_MOUSEENTER, CM_MOUSELEAVE, WM_SETFOCUS,
    // WM_KILLFOCUS and CM_SHOWINGCHANGED (the control became shown or hidden
    // on screen, by itself or with a parent).
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DoEnter() { Raise(OnEnter, this); }
    virtual void DoExit() { Raise(OnExit, this); }
    virtual void ShowingChanged() {}

public:
    // Keys the window offers before focus moves: Ctrl+Tab and Ctrl+Shift+Tab
    // (key VK_TAB, ssShift for the latter), and characters typed with Alt,
    // or without where the focused control takes no text. The window offers
    // them to itself; this base offers them to the visible, enabled children
    // in turn, so an override chooses whether it comes before its children
    // (its own test, then the base) or after (the base first).
    // True: taken, nothing else happens with the key.
    virtual bool DialogKey(int key, TShiftState shift);
    virtual bool DialogChar(int charCode, TShiftState shift);

    // A drag is over this control (x, y in its client coordinates): entering,
    // moving or leaving it; accept says whether a drop here is taken. The
    // base asks OnDragOver, accepting when there is one. A drop where the
    // last answer accepted comes to DragDrop, which raises OnDragDrop.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);

protected:
    // A wheel turn towards (down) or away from the user; true when handled.
    virtual bool MouseWheel(bool down, TShiftState shift, TPoint mousePos);
    virtual void WMTimer(int id) { (void)id; }
    virtual void AdjustClientRect(TRect& rect) { (void)rect; }
    virtual void AlignControls(TRect& rect);
    virtual void FontChanged();
    // The control's own colour changed: it repaints and tells every child
    // (ParentColorChanged), whatever the child's ParentColor.
    virtual void ColorChanged();
    // The parent's colour changed: a control with ParentColor takes it.
    virtual void ParentColorChanged();
    void NotifyChildrenParentColorChanged();
    virtual void TextChanged() {}
    // Called by the framework for a Qt event before the widget's own handling;
    // true stops it there.
    virtual bool PreviewEvent(QEvent* event) {
        (void)event;
        return false;
    }

    // Child widgets' place inside this control's widget (a group box's frame).
    virtual QWidget* ChildHost() const { return widget_; }

protected:
    int& StoredWidth() { return width_; }
    int& StoredHeight() { return height_; }
    int& StoredLeft() { return left_; }
    int& StoredTop() { return top_; }
    virtual void ApplyGeometry();
    // Lays Qt's focus chain over Tab's round of everything inside.
    void ApplyTabOrder();

private:
    // Dispatch steps of HandleEvent: each returns Qt's answer when it
    // consumed the event, nothing when the next step is to look at it.
    using Outcome = std::optional<bool>;
    bool Dispatch(QEvent* event);
    Outcome MessageStep(QEvent* event);
    Outcome TimerStep(QEvent* event);
    Outcome MouseStep(QEvent* event);
    Outcome KeyStep(QEvent* event);
    Outcome WheelStep(QEvent* event);
    Outcome FocusStep(QEvent* event);
    Outcome ShowStep(QEvent* event);
    Outcome ResizeStep(QEvent* event);
    Outcome ContextMenuStep(QEvent* event);
    bool BaseEvent(QEvent* event);
    void WheelMessage(TMessage& message);

    void MarkDestroying();
    void ApplyFont();
    void ApplyPalette();
    void DispatchMessage(TMessage& message);
    void FixupTabList();

    std::unique_ptr<ControlLink> link_ = std::make_unique<ControlLink>();
    QWidget* widget_ = nullptr;
    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TControl*> tab_list_;  // the children in Tab's round
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    TColor color_ = clBtnFace;
    bool parent_color_ = true;
    TFont font_;
    bool parent_font_ = true;
    TAlign align_ = TAlign::alNone;
    std::string hint_;
    bool show_hint_ = false;
    int tab_order_ = -1;  // as stored; -1: none stored
    bool tab_stop_ = false;
    TPopupMenu* popup_menu_ = nullptr;
    bool custom_painted_ = false;
    bool focus_on_click_ = true;
    bool aligning_ = false;
    bool double_clicked_ = false;  // the press was the second of a double click
    bool showing_ = false;         // as last reported by CM_SHOWINGCHANGED
    TCanvas canvas_;
    QImage paint_buffer_;
    WindowProcedure window_proc_;
    std::map<int, int> timers_;  // program id -> Qt id
};

// A widget of class Base hosted by a control.
template <class Base>
class HostWidget : public Base {
public:
    template <class... Args>
    explicit HostWidget(ControlLink* link, Args&&... args) : Base(std::forward<Args>(args)...), link_(link) {
        link_->BaseEvent = [this](QEvent* e) { return Base::event(e); };
        link_->BasePaint = [this](QPaintEvent* e) { Base::paintEvent(e); };
    }
    ~HostWidget() override { link_->Control = nullptr; }

protected:
    bool event(QEvent* e) override {
        if (link_->Control == nullptr) return Base::event(e);
        return link_->Control->HandleEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        if (link_->Control == nullptr) return Base::paintEvent(e);
        link_->Control->HandlePaint(e);
    }

private:
    ControlLink* link_;
};

// A control that paints itself entirely (list views, tab controls).
class TCustomControl : public TControl {
    DLK_COMPONENT(TCustomControl)
public:
    explicit TCustomControl(TComponent* owner);
};

// The control whose widget this is, or nullptr.
inline constexpr const char* kControlProperty = "dlkControl";
TControl* ControlOfWidget(const QWidget* widget);

// The control holding the mouse capture, or nullptr.
TControl* CaptureControl();

// Where the mouse pointer is, in screen coordinates; tests set where it is
// (an empty source: the real pointer).
TPoint CursorPos();
void SetCursorPosSource(std::function<TPoint()> source);

// The classic virtual-key code of a Qt key, 0 for keys without one.
int VirtualKeyOf(int qtKey);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});

}  // namespace dlk
