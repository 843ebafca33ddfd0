// An edit's MaxLength holds back the user, never the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

TEST(EditLengthLimit, TheProgramsTextStandsWholeAndTheUserCanOnlyShortenIt) {
    testing::EnsureApplication();
    QApplication::clipboard()->setText("abcdef");
    // Keys: '<' home, '>' right, '{' shift+right, '-' backspace, '^' Ctrl+V,
    // '*' Ctrl+A, '~' Ctrl+Z, '#' the context menu's Paste; the rest are typed.
    const std::map<char, QKeyCombination> keys{
        {'<', Qt::Key_Home},
        {'>', Qt::Key_Right},
        {'{', Qt::ShiftModifier | Qt::Key_Right},
        {'-', Qt::Key_Backspace},
        {'^', Qt::ControlModifier | Qt::Key_V},
        {'*', Qt::ControlModifier | Qt::Key_A},
        {'~', Qt::ControlModifier | Qt::Key_Z},
    };
    for (const auto& [set, typed, shown] :
         std::initializer_list<std::array<const char*, 3>>{{"", "123456", "1234"},
                                                           {"12", "^", "12ab"},
                                                           {"1234567", "89^", "1234567"},
                                                           {"1234567", "<x", "1234567"},
                                                           {"1234567", "----ab", "123a"},
                                                           {"1234567", "<>>>--", "14567"},
                                                           // over a selection: only the room outside it
                                                           {"1234", "<{x", "x234"},
                                                           {"1234", "<{{^", "ab34"},
                                                           {"1234567", "<{9", "234567"},
                                                           {"1234567", "<{{^", "34567"},
                                                           {"1234567", "*^", "abcd"},
                                                           {"1234567", "*#", "abcd"},
                                                           // undo reaches past a shortened long text
                                                           {"1234567", "-~", "1234567"}}) {
        TEdit edit(nullptr);
        edit.SetMaxLength(4);
        edit.SetText(set);
        auto* line = static_cast<QLineEdit*>(edit.Widget());
        for (const char* k = typed; *k != 0; ++k) {
            if (*k == '#') {
                QContextMenuEvent menuAsked(QContextMenuEvent::Keyboard, QPoint(1, 1), line->mapToGlobal(QPoint(1, 1)));
                QApplication::sendEvent(line, &menuAsked);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                for (QAction* action : menu->actions())
                    if (action->text().startsWith("&Paste")) action->trigger();
                menu->close();
            } else if (auto key = keys.find(*k); key != keys.end())
                QTest::keyClick(line, key->second.key(), key->second.keyboardModifiers());
            else
                QTest::keyClicks(line, QString(QChar(*k)));
        }
        EXPECT_EQ(edit.Text(), shown) << set << " + " << typed;
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
