// An edit's MaxLength holds back the user, never the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

TEST(EditLengthLimit, TheProgramsTextStandsWholeAndTheUserCanOnlyShortenIt) {
    testing::EnsureApplication();
    struct Case {
        const char* Name;
        const char* Set;     // by the program, "" for none
        int Home;            // caret moves before typing; -1 for the end
        const char* Typed;   // keys, '\b' for backspace
        const char* Pasted;  // "" for none
        const char* Shown;
    };
    const Case cases[] = {
        {"typing stops at the limit", "", -1, "123456", "", "1234"},
        {"a paste is cut to fit", "12", -1, "", "abcdef", "12ab"},
        {"a longer text is kept whole", "1234567", -1, "", "", "1234567"},
        {"and takes no more", "1234567", -1, "89", "x", "1234567"},
        {"typing in its middle is refused too", "1234567", 2, "x", "", "1234567"},
        {"shortened, it may grow back only to the limit", "1234567", -1, "\b\b\b\bab", "", "1234"},
        {"deleting in the middle keeps the caret there", "1234567", 3, "\bx", "", "12x4567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm form(nullptr);
        TEdit edit(&form);
        edit.SetParent(&form);
        edit.SetMaxLength(4);
        form.Show();
        edit.SetText(c.Set);
        EXPECT_EQ(edit.Text(), c.Set);
        auto* line = static_cast<QLineEdit*>(edit.Widget());
        line->setFocus();
        line->setCursorPosition(c.Home < 0 ? line->text().size() : c.Home);
        for (const char* k = c.Typed; *k != 0; ++k) {
            if (*k == '\b') {
                QTest::keyClick(line, Qt::Key_Backspace);
            } else {
                QTest::keyClicks(line, QString(QChar(*k)));
            }
        }
        if (*c.Pasted != 0) {
            QApplication::clipboard()->setText(c.Pasted);
            line->paste();
        }
        EXPECT_EQ(edit.Text(), c.Shown);
        EXPECT_EQ(edit.MaxLength(), 4);
    }
}

}  // namespace
}  // namespace dlk
