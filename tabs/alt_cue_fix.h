#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/application/application.h"
#include "framework/components/class_registry.h"

namespace dlk {

class TControl;
class TForm;

// Makes the controls of a window show their keyboard cues after Alt: every
// window of the program is hooked at an idle moment, notes WM_UPDATEUISTATE,
// and is repainted once at the next idle moment after it arrived. Without
// themes the component does nothing at all.
class TAltCueFix : public TComponent {
    DLK_COMPONENT(TAltCueFix)
public:
    explicit TAltCueFix(TComponent* owner);
    ~TAltCueFix() override;

    // The mode of windows hooked from now on: every windowed control, or
    // only the button-type ones.
    bool RepaintAll = true;

    static bool IsThemedSystem();
    bool Active() const { return events_ != nullptr; }
    // The windows hooked now, in hook order.
    std::vector<TForm*> HookedForms() const;

    // The idle step: hook new windows, drop gone ones, repaint those that
    // asked.
    void ScanForms(TObject* sender, bool& done);

    // The two repaint walks; repaint is what is done to each control found
    // (the framework's Repaint unless a caller watches the walk).
    using RepaintStep = std::function<void(TControl&)>;
    static void RepaintAllControls(TControl& control, const RepaintStep& repaint = RepaintNow);
    static void RepaintButtons(TControl& control, const RepaintStep& repaint = RepaintNow);
    static void RepaintNow(TControl& control);

    void Notification(TComponent* component, TOperation operation) override;

private:
    class TFormObj;
    std::vector<std::unique_ptr<TFormObj>> hooks_;
    std::unique_ptr<TApplicationEvents> events_;
};

}  // namespace dlk
