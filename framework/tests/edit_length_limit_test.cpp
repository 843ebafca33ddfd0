// An edit's MaxLength holds back the user, never the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <cctype>

#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

TEST(EditLengthLimit, TheProgramsTextStandsWholeAndTheUserCanOnlyShortenIt) {
    testing::EnsureApplication();
    struct Case {
        const char *Set, *Keys, *Paste, *Shown;  // '\b' a backspace, '<' the caret to the start
    };
    for (const Case c : {Case{"", "123456", "", "1234"},
                         {"12", "", "abcdef", "12ab"},
                         {"1234567", "89", "x", "1234567"},
                         {"1234567", "<x", "", "1234567"},
                         {"1234567", "\b\b\b\bab", "", "123a"},
                         {"1234567", "<\x01\x01\x01\b\b", "", "14567"}}) {
        TEdit edit(nullptr);
        edit.SetMaxLength(4);
        edit.SetText(c.Set);
        auto* line = static_cast<QLineEdit*>(edit.Widget());
        for (const char* k = c.Keys; *k != 0; ++k) {
            if (*k == '<') line->home(false);
            if (*k == '\x01') QTest::keyClick(line, Qt::Key_Right);
            if (*k == '\b') QTest::keyClick(line, Qt::Key_Backspace);
            if (std::isalnum(static_cast<unsigned char>(*k))) QTest::keyClicks(line, QString(QChar(*k)));
        }
        QApplication::clipboard()->setText(c.Paste);
        if (*c.Paste != 0) line->paste();
        EXPECT_EQ(edit.Text(), c.Shown) << c.Set << " + " << c.Keys << c.Paste;
    }
}

}  // namespace
}  // namespace dlk
