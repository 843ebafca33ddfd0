#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace dlk {

enum class FileDialogKind : std::uint8_t { Open, Save };

struct FileDialogRequest {
    FileDialogKind Kind = FileDialogKind::Open;
    std::string Title;       // empty: the platform's own
    std::string Filter;      // "description|pattern;pattern|description|pattern"
    int FilterIndex = 1;     // the filter shown first, from 1
    std::string FileName;    // proposed
    std::string InitialDir;  // empty: the current folder
    bool Owned = false;      // shown over a window of the program
};

// Chooses a file instead of a user; tests set one so that nothing blocks.
// nullopt: cancelled. Empty: real dialogs.
using FileDialogAnswerer = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

// A modal file dialog; the chosen path, or nullopt when cancelled. A save
// dialog never asks before replacing a file (the programs ask themselves
// where they want to). Where there is nobody to see it (the offscreen
// platform) and no answerer is set, it is cancelled and says so on the
// standard error stream.
std::optional<std::string> RunFileDialog(QWidget* owner, const FileDialogRequest& request);

// "a (*.x)|*.x|b|*.y;*.z" as Qt's filters: "a (*.x)", "b (*.y *.z)".
std::string QtNameFilters(const std::string& filter, std::string* selected = nullptr, int index = 1);

}  // namespace dlk
