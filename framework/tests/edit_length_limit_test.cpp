// An edit's MaxLength holds back the user, never the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <string>
#include <vector>

#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

TEST(EditLengthLimit, TheProgramsTextStandsWholeAndTheUserCanOnlyShortenIt) {
    testing::EnsureApplication();
    QApplication::clipboard()->setText("abcdef");
    // Keys: '<' home, '>' right, '-' backspace, '^' a paste; the rest are typed.
    for (const auto& [set, keys, shown] :
         std::initializer_list<std::array<const char*, 3>>{{"", "123456", "1234"},
                                                           {"12", "^", "12ab"},
                                                           {"1234567", "89^", "1234567"},
                                                           {"1234567", "<x", "1234567"},
                                                           {"1234567", "----ab", "123a"},
                                                           {"1234567", "<>>>--", "14567"}}) {
        TEdit edit(nullptr);
        edit.SetMaxLength(4);
        edit.SetText(set);
        auto* line = static_cast<QLineEdit*>(edit.Widget());
        for (const char* k = keys; *k != 0; ++k) {
            const char key = *k;
            if (key == '<' || key == '>' || key == '-') {
                QTest::keyClick(line, key == '<' ? Qt::Key_Home : key == '>' ? Qt::Key_Right : Qt::Key_Backspace);
            } else if (key == '^') {
                line->paste();
            } else {
                QTest::keyClicks(line, QString(QChar(key)));
            }
        }
        EXPECT_EQ(edit.Text(), shown) << set << " + " << keys;
    }
    // Nothing watching the edit ever sees the text cut.
    TEdit edit(nullptr);
    edit.SetMaxLength(4);
    std::vector<std::string> seen;
    edit.OnChange = [&](TObject*) { seen.push_back(edit.Text()); };
    for (const char* text : {"1234567", "ab", "123456"}) edit.SetText(text);
    EXPECT_EQ(seen, (std::vector<std::string>{"1234567", "ab", "123456"}));
}

}  // namespace
}  // namespace dlk
