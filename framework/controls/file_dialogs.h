#pragma once

#include <string>

#include "framework/application/file_dialog.h"
#include "framework/components/class_registry.h"

namespace dlk {

// The open and save dialogs of a window: Execute shows one (through the
// answerer, when one is set) and on OK puts the chosen path in FileName.
class TOpenDialog : public TComponent {
    DLK_COMPONENT(TOpenDialog)
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
    std::string Filter;  // "description|pattern|description|pattern"
    int FilterIndex = 1;
    std::string FileName;
    std::string InitialDir;
    std::string Title;
    bool Execute();

protected:
    virtual FileDialogKind Kind() const { return FileDialogKind::Open; }
};

class TSaveDialog : public TOpenDialog {
    DLK_COMPONENT(TSaveDialog)
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
    FileDialogKind Kind() const override { return FileDialogKind::Save; }
};

}  // namespace dlk
