#include "framework/controls/file_dialogs.h"

#include "framework/components/properties.h"
#include "framework/controls/control.h"

namespace dlk {

bool TOpenDialog::Execute() {
    // Shown over the window that owns the dialog.
    QWidget* owner = nullptr;
    if (const auto* window = dynamic_cast<const TControl*>(Owner())) owner = window->Widget();
    const std::optional<std::string> chosen =
        RunFileDialog(owner, {Kind(), Title, Filter, FilterIndex, FileName, InitialDir, owner != nullptr});
    if (!chosen) return false;
    FileName = *chosen;
    return true;
}

namespace {

template <class T>
std::vector<PropertyInfo> DialogProperties() {
    return {
        prop::String<T>("Filter", &T::Filter),     prop::Int<T>("FilterIndex", &T::FilterIndex, 1),
        prop::String<T>("FileName", &T::FileName), prop::String<T>("InitialDir", &T::InitialDir),
        prop::String<T>("Title", &T::Title),
    };
}

}  // namespace

const ClassInfo& TOpenDialog::StaticClass() {
    static const ClassInfo info("TOpenDialog", &TComponent::StaticClass(), Creator<TOpenDialog>(),
                                DialogProperties<TOpenDialog>());
    return info;
}

const ClassInfo& TSaveDialog::StaticClass() {
    static const ClassInfo info("TSaveDialog", &TOpenDialog::StaticClass(), Creator<TSaveDialog>());
    return info;
}

DLK_REGISTER_CLASS(TOpenDialog);
DLK_REGISTER_CLASS(TSaveDialog);

}  // namespace dlk
