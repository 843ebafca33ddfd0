#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QWindow>
#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "framework/core/application.h"
#include "framework/core/description_reader.h"
#include "framework/tests/modal_user.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

constexpr const char* kDialog = R"(
Dialog : TForm {
  BorderStyle = bsDialog
  ClientWidth = 200
  ClientHeight = 80
  Edit1 : TEdit { Left = 8 Top = 8 Width = 100 Height = 21 }
  OkButton : TButton { Left = 8 Top = 48 Width = 75 Height = 25 Caption = "OK" Default = True ModalResult = 1 }
  CancelButton : TButton { Left = 100 Top = 48 Width = 75 Height = 25 Caption = "Отмена" Cancel = True ModalResult = 2 }
}
)";

// A real modal loop over a shown window, closed from inside the loop.
class FormModalTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        Application().Reset();
        owner = std::make_unique<TForm>(nullptr);
        owner->SetBounds(100, 100, 300, 200);
        owner->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++clicks; };
        owner->Show();
    }
    TForm* MakeDialog() {
        auto* dialog = new TForm(owner.get());
        ReadComponent(*dialog, kDialog, "dialog.form");
        return dialog;
    }
    // Nothing of the dialog stays modal: the owner takes a click again.
    void ExpectTheOwnerTakesInput() {
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
        const int before = clicks;
        testing::ClickAt(owner->Widget(), QPoint(150, 100));
        EXPECT_EQ(clicks, before + 1);
    }

    std::unique_ptr<TForm> owner;
    int clicks = 0;
};

TEST_F(FormModalTest, EveryWayOutOfTheLoopLeavesTheOwnerTakingInput) {
    struct Case {
        const char* name;
        std::function<void(TForm& dialog, QWidget& modal)> close;
        int result;
    };
    const std::vector<Case> cases = {
        {"OK clicked", [](TForm& d, QWidget&) { testing::ClickOn(FindOwned<TButton>(d, "OkButton")->Widget()); }, mrOk},
        {"Отмена clicked",
         [](TForm& d, QWidget&) { testing::ClickOn(FindOwned<TButton>(d, "CancelButton")->Widget()); }, mrCancel},
        {"Enter", [](TForm&, QWidget& modal) { testing::PressKey(&modal, Qt::Key_Return); }, mrOk},
        {"Esc", [](TForm&, QWidget& modal) { testing::PressKey(&modal, Qt::Key_Escape); }, mrCancel},
        {"close box", [](TForm&, QWidget& modal) { modal.windowHandle()->close(); }, mrCancel},
        {"a result set by code", [](TForm& d, QWidget&) { d.SetModalResult(mrYes); }, mrYes},
    };
    TForm* dialog = MakeDialog();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ModalUser user;
        user.Then([&](QWidget& modal) {
            // Over its owner, in a fixed dialog frame.
            EXPECT_EQ(modal.windowHandle()->transientParent(), owner->Widget()->windowHandle());
            EXPECT_EQ(modal.minimumSize(), modal.maximumSize());
            EXPECT_EQ(modal.windowType(), Qt::Dialog);
            EXPECT_FALSE(modal.windowFlags() & Qt::WindowMinimizeButtonHint);
            c.close(*dialog, modal);
        });
        EXPECT_EQ(dialog->ShowModal(), c.result);
        EXPECT_FALSE(dialog->Widget()->isVisible());
        ExpectTheOwnerTakesInput();
    }
}

TEST_F(FormModalTest, AWindowFreedInsideItsOwnLoopEndsTheLoop) {
    TForm* dialog = MakeDialog();
    testing::ModalUser user;
    user.Then([&](QWidget&) { delete dialog; });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    ExpectTheOwnerTakesInput();
}

}  // namespace
}  // namespace dlk
