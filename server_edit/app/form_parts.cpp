#include "app/form_parts.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

#include "framework/controls/control.h"
#include "framework/controls/std_controls.h"

namespace dlk {

void ClickFocusWithoutTabStop(TControl& parent) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl& control = *parent.Controls(i);
        QWidget* widget = control.Widget();
        const bool typedInto = qobject_cast<QLineEdit*>(widget) != nullptr ||
                               qobject_cast<QAbstractButton*>(widget) != nullptr;
        if (typedInto && !control.TabStop()) widget->setFocusPolicy(Qt::ClickFocus);
        ClickFocusWithoutTabStop(control);
    }
}

void FitAutoSizedLabels(TControl& parent) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl& control = *parent.Controls(i);
        if (auto* label = dynamic_cast<TLabel*>(&control); label != nullptr && label->AutoSize())
            label->SetAutoSize(true);
        FitAutoSizedLabels(control);
    }
}

}  // namespace dlk
