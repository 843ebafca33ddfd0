#include "tabs/alt_cue_fix.h"

#include "framework/components/properties.h"
#include "framework/controls/control_kinds.h"
#include "framework/controls/form.h"
#include "framework/controls/glyph_buttons.h"
#include "framework/controls/screen.h"
#include "framework/controls/std_controls.h"

namespace dlk {

// One hooked window. Its procedure in the window's chain reaches the entry
// through a relay, so an entry freed while the window lives leaves the chain
// doing exactly what it did before the hook; the window itself is known only
// while it lives (the component is told when it goes).
class TAltCueFix::TFormObj {
public:
    TFormObj(TForm* form, bool mode) : form_(form), repaint_all_(mode) {
        relay_->entry = this;
        std::shared_ptr<Relay> relay = relay_;
        form->HookWindowProc([relay](TControl::WindowProcedure previous) {
            return [relay, previous](TMessage& message) {
                previous(message);
                if (message.Msg == WM_UPDATEUISTATE && relay->entry != nullptr) relay->entry->repaint_needed_ = true;
            };
        });
    }
    ~TFormObj() { relay_->entry = nullptr; }
    TFormObj(const TFormObj&) = delete;
    TFormObj& operator=(const TFormObj&) = delete;

    TForm* Form() const { return form_; }
    void FormGone() { form_ = nullptr; }
    bool seen = true;

    void RepaintIfNeeded() {
        if (!repaint_needed_ || form_ == nullptr) return;
        repaint_needed_ = false;
        if (repaint_all_)
            RepaintAllControls(*form_);
        else
            RepaintButtons(*form_);
    }

private:
    struct Relay {
        TFormObj* entry = nullptr;
    };
    TForm* form_;
    bool repaint_needed_ = false;
    bool repaint_all_;
    std::shared_ptr<Relay> relay_ = std::make_shared<Relay>();
};

TAltCueFix::TAltCueFix(TComponent* owner) : TComponent(owner) {
    if (!IsThemedSystem()) return;
    events_ = std::make_unique<TApplicationEvents>(nullptr);
    events_->OnIdle = [this](TObject* sender, bool& done) { ScanForms(sender, done); };
}

TAltCueFix::~TAltCueFix() {
    events_.reset();
    for (const auto& entry : hooks_)
        if (entry->Form() != nullptr) RemoveFreeNotification(entry->Form());
    hooks_.clear();
}

bool TAltCueFix::IsThemedSystem() {
    return ThemesEnabled();
}

std::vector<TForm*> TAltCueFix::HookedForms() const {
    std::vector<TForm*> forms;
    for (const auto& entry : hooks_)
        if (entry->Form() != nullptr) forms.push_back(entry->Form());
    return forms;
}

void TAltCueFix::ScanForms(TObject* sender, bool& done) {
    (void)sender;
    (void)done;
    for (const auto& entry : hooks_) entry->seen = false;
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TForm* form = Screen().Forms(i);
        if (form->IsDestroying()) continue;
        bool found = false;
        for (const auto& entry : hooks_)
            if (entry->Form() == form) {
                entry->seen = true;
                found = true;
                break;
            }
        if (!found) {
            hooks_.push_back(std::make_unique<TFormObj>(form, RepaintAll));
            FreeNotification(form);
        }
    }
    for (std::size_t i = hooks_.size(); i-- > 0;) {
        if (!hooks_[i]->seen) {
            if (hooks_[i]->Form() != nullptr) RemoveFreeNotification(hooks_[i]->Form());
            hooks_.erase(hooks_.begin() + std::ptrdiff_t(i));
        } else {
            hooks_[i]->RepaintIfNeeded();
        }
    }
}

void TAltCueFix::RepaintNow(TControl& control) {
    control.Repaint();
}

void TAltCueFix::RepaintAllControls(TControl& control, const RepaintStep& repaint) {
    if (!IsWindowedControl(control)) return;
    repaint(control);
    for (int i = 0; i < control.ControlCount(); ++i) RepaintAllControls(*control.Controls(i), repaint);
}

void TAltCueFix::RepaintButtons(TControl& control, const RepaintStep& repaint) {
    if (!IsWindowedControl(control) || dynamic_cast<TBitBtn*>(&control) != nullptr) return;
    if (dynamic_cast<TButtonControl*>(&control) != nullptr) {
        repaint(control);
        return;
    }
    for (int i = 0; i < control.ControlCount(); ++i) RepaintButtons(*control.Controls(i), repaint);
}

void TAltCueFix::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    for (const auto& entry : hooks_)
        if (entry->Form() == component) entry->FormGone();
}

const ClassInfo& TAltCueFix::StaticClass() {
    using T = TAltCueFix;
    static const ClassInfo info("TAltCueFix", &TComponent::StaticClass(), Creator<T>(),
                                {prop::Bool<T>("RepaintAll", &T::RepaintAll, true)});
    return info;
}

DLK_REGISTER_CLASS(TAltCueFix);

}  // namespace dlk
