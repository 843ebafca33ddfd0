#pragma once

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace dlk {

enum MessageBoxFlags : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
};
enum MessageBoxAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

struct MessageBoxRequest {
    std::string Text;  // UTF-8; "\r" breaks lines
    std::string Caption;
    unsigned Flags = MB_OK;
    bool Owned = false;  // shown over a window of the program
    QWidget* Owner = nullptr;
};

// Answers message boxes instead of a user; tests set one so that nothing
// blocks. Empty: real boxes.
using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// A modal box with Russian buttons. Where there is nobody to see it (no
// display: the offscreen platform), the text goes to the standard error
// stream and the default button answers.
int MessageBox(QWidget* owner, std::string_view text, std::string_view caption, unsigned flags);

// The box as a window, shown and answered whatever the platform: what
// MessageBox shows where somebody can see it; tests show it to play the user
// on a real box.
int ShowMessageBoxWindow(const MessageBoxRequest& request);

// The answer of the button a box of these flags has as its default.
int DefaultAnswer(unsigned flags);

// True where no user sees a window (the offscreen and minimal platforms):
// boxes and dialogs without an answerer then answer by themselves.
bool NobodyToSee();

}  // namespace dlk
