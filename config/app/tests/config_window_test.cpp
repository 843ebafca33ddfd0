// The main window over a fake hidraw tree: what it shows for each kind of
// unit that arrives, what a removal resets and what "Применить" writes.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <cstring>

#include "config/app/tests/unit_bus_fixture.h"
#include "drawing/dib_surface.h"
#include "framework/tests/modal_user.h"
#include "platform/testing/sanitizer_build.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::config::testing {
using namespace ::dlk::testing;
namespace {

// Tab and enabled state of the settings, serial line, SMS and firmware pages.
std::string Offered(const TForm1& f) {
    std::string s;
    for (TKtTabSheet* page : {f.TabSheet1, f.TabSheet4, f.TabSheet5, f.TabSheet3}) {
        s += page->TabVisible() && page->Enabled() ? '1' : page->TabVisible() || page->Enabled() ? '?' : '0';
    }
    return s;
}

TEST_F(ConfigWindowTest, StartsFromItsDescriptionWithOnlyTheSchedulePage) {
    OpenWindows();
    form->FormActivate(form.get());
    EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3");
    EXPECT_EQ(form->ClientWidth(), 792);
    EXPECT_EQ(form->ClientHeight(), 277);
    EXPECT_EQ(form->BorderStyle(), TBorderStyle::bsDialog);
    EXPECT_EQ(form->Position(), TPosition::poScreenCenter);
    EXPECT_EQ(form->KtPageControl1->PageCount(), 5);
    EXPECT_EQ(form->KtPageControl1->ActivePage(), form->TabSheet2);
    EXPECT_EQ(Offered(*form), "0000");
    EXPECT_FALSE(form->BitBtn2->Enabled());
    EXPECT_FALSE(form->CheckBox1->Enabled());
    EXPECT_FALSE(form->Label30->Visible());
    EXPECT_EQ(form->Button2->Caption(), "Перепрошить\rGSM-модуль");
    ASSERT_NE(form->Surface(), nullptr);
    EXPECT_EQ(form->Surface()->Width(), 790);
    EXPECT_EQ(form->Surface()->Height(), 129);
    EXPECT_TRUE(form->DevicePath.empty());
    EXPECT_FALSE(form->HasDevice());
    EXPECT_EQ(panel->ClientWidth(), 217);
    EXPECT_EQ(panel->ClientHeight(), 154);
    EXPECT_EQ(panel->Edit2->MaxLength(), 29);
    EXPECT_EQ(panel->Edit5->MaxLength(), 13);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConfigWindowTest, EachKindOfUnitArrivingShowsWhatItsTypeOffers) {
    struct Case {
        std::uint8_t Type;
        std::uint16_t Product;
        const char* Caption;
        const char* Label7;
        const char* Offered;  // settings, RS-232, SMS, firmware
        bool Button2;
        bool CheckBox1;
        bool PacketFields;
        std::size_t Requests;
    };
    const char* normal = "ДЛК-настройка v1.3";
    const char* loader = "ДЛК-настройка v1.3 (ЗАГРУЗЧИК)";
    const Case cases[] = {
        {1, 0x2018, normal, "GSM-модем", "0101", true, true, false, 30},
        {2, 0x2018, normal, "\"CSD-мост\"", "0101", true, true, false, 30},
        {3, 0x2018, normal, "\"СМС-данные ультразвукового расходомера ЛЕТ-7Ж\"", "0011", false, true, false, 36},
        {128, 0x2018, normal, "\"GPRS-модем\"", "1101", true, true, true, 30},
        {129, 0x2018, normal, "\"GPRS-модем ультразвукового расходомера ЛЕТ-7Ж\"", "1011", false, true, false, 36},
        {5, 0x2018, loader, "неизвестно", "0001", false, false, false, 1},
        {128, 0x2019, loader, "\"GPRS-модем\"", "0001", false, false, false, 1},
    };
    OpenWindows();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Type) + (c.Product == 0x2019 ? " loader" : ""));
        const std::string name = "hidraw" + std::to_string(n++);
        SimulatedUnit& unit = Plug(name, ConfiguredUnit(c.Type, c.Product == 0x2019), c.Product);
        ASSERT_TRUE(WaitOpen(true));
        EXPECT_EQ(form->DevicePath, NodePath(name));
        EXPECT_EQ(form->Caption(), c.Caption);
        EXPECT_EQ(form->Label7->Caption(), c.Label7);
        EXPECT_EQ(form->Label4->Caption(), "513");
        EXPECT_EQ(form->Label27->Caption(), "2.1");
        EXPECT_EQ(Offered(*form), c.Offered);
        EXPECT_EQ(form->Button2->Enabled(), c.Button2);
        EXPECT_EQ(form->CheckBox1->Enabled(), c.CheckBox1);
        EXPECT_EQ(form->BitBtn2->Enabled(), c.Requests > 1);
        EXPECT_EQ(unit.RequestLog().size(), c.Requests);
        if (c.Offered[0] == '1') {
            EXPECT_EQ(form->Edit8->Visible(), c.PacketFields);
            EXPECT_EQ(form->CheckBox2->Visible(), c.PacketFields);
        }
        if (c.Offered[2] == '1') {
            EXPECT_EQ(form->MaskEdit1->EditText(), "(916)123-4567");
            EXPECT_EQ(form->Edit12->Text(), "Авария");
        }
        if (c.Type == 129) {
            EXPECT_EQ(form->Edit10->Text(), "0");
            EXPECT_EQ(form->Edit8->Text(), "3");
            EXPECT_FALSE(form->CheckBox2->Checked());
            EXPECT_EQ(form->ComboBox2->ItemIndex(), 3);
            EXPECT_EQ(form->ComboBox5->ItemIndex(), 1);
            EXPECT_EQ(form->ComboBox3->ItemIndex(), 0);
            EXPECT_EQ(form->ComboBox4->ItemIndex(), 0);
            EXPECT_FALSE(form->CheckBox3->Checked());
        }
        Unplug(name);
        ASSERT_TRUE(WaitOpen(false));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConfigWindowTest, AType128UnitsSettingsReachTheControls) {
    OpenWindows();
    Plug("hidraw2", ConfiguredUnit(128));
    form->FormActivate(form.get());
    ASSERT_FALSE(form->DevicePath.empty()) << "found by the search on activation";
    EXPECT_EQ(form->Edit4->Text(), "pool.ntp.org");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 1);
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->Edit4->Enabled()) << "follows CheckBox1";
    EXPECT_EQ(panel->Edit2->Text(), "internet.mts.ru");
    EXPECT_EQ(panel->Edit3->Text(), "mts");
    EXPECT_EQ(panel->Edit5->Text(), "");
    EXPECT_EQ(form->ComboBox2->ItemIndex(), 3);
    EXPECT_EQ(form->ComboBox5->ItemIndex(), 1);
    EXPECT_EQ(form->Edit6->Text(), "192.168.100.200");
    EXPECT_EQ(form->Edit7->Text(), "5000");
    EXPECT_EQ(form->Edit9->Text(), "1");
    EXPECT_EQ(form->Edit11->Text(), "8");
    EXPECT_EQ(form->Edit10->Text(), "0");
    EXPECT_TRUE(form->CheckBox6->Checked());
    EXPECT_TRUE(form->Edit9->Enabled()) << "follows CheckBox6";
    EXPECT_TRUE(form->CheckBox7->Checked());
    EXPECT_EQ(form->Schedule.PointCount, 2);
    EXPECT_EQ(form->Label2->Caption(), "4");
    EXPECT_EQ(form->Label8->Caption(), "17");
}

TEST_F(ConfigWindowTest, OnlyTheOpenUnitsRemovalResetsTheWindow) {
    OpenWindows();
    SimulatedUnit& first = Plug("hidraw1", ConfiguredUnit(128));
    ASSERT_TRUE(WaitOpen(true));
    form->KtPageControl1->SetActivePage(form->TabSheet1);

    // Another unit arriving, another device coming and going: nothing changes.
    Plug("hidraw2", ConfiguredUnit(3));
    PlugOther("hidraw3");
    Settle();
    std::filesystem::remove(NodePath("hidraw3"));
    Settle();
    EXPECT_EQ(form->DevicePath, NodePath("hidraw1"));
    EXPECT_TRUE(form->HasDevice());
    EXPECT_TRUE(units.at(NodePath("hidraw2"))->RequestLog().empty());
    EXPECT_EQ(form->KtPageControl1->ActivePage(), form->TabSheet1);

    // Closing the APN panel with a unit open searches no further.
    first.ClearRequestLog();
    TForm::SetModalAnswerer([](TForm& f) { static_cast<TForm2&>(f).Button1->PerformClick(); });
    form->SpeedButton3Click(form->SpeedButton3);
    form->FormActivate(form.get());
    EXPECT_TRUE(first.RequestLog().empty());
    EXPECT_EQ(form->DevicePath, NodePath("hidraw1"));

    Unplug("hidraw1");
    ASSERT_TRUE(WaitOpen(false));
    EXPECT_FALSE(form->HasDevice());
    EXPECT_EQ(form->Caption(), "ДЛК-настройка v1.3");
    EXPECT_EQ(form->KtPageControl1->GetActivePageIndex(), 0);
    EXPECT_EQ(Offered(*form), "0000");
    EXPECT_FALSE(form->BitBtn2->Enabled());
    EXPECT_FALSE(form->CheckBox1->Enabled());
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_EQ(form->Edit4->Text(), "");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(form->Schedule.PointCount, 0);
    EXPECT_EQ(form->Label7->Caption(), "\"GPRS-модем\"") << "the labels keep their texts";
    EXPECT_EQ(form->DeviceType, 128);

    // The next activation finds the unit still there.
    form->FormActivate(form.get());
    EXPECT_EQ(form->DevicePath, NodePath("hidraw2"));
}

TEST_F(ConfigWindowTest, TheFirstUnitThatOpensIsTaken) {
    struct Case {
        bool FirstRefused;
        bool FirstSilent;
        const char* Taken;
    };
    for (const Case c : {Case{false, false, "hidraw1"}, {true, false, "hidraw7"}, {false, true, "hidraw7"}}) {
        SCOPED_TRACE(c.Taken);
        units.clear();
        refused.clear();
        OpenWindows();
        SimulatedUnit& first = Plug("hidraw1", ConfiguredUnit(1));
        SimulatedUnit& second = Plug("hidraw7", ConfiguredUnit(128));
        if (c.FirstRefused) refused.insert(NodePath("hidraw1"));
        first.SetSilent(c.FirstSilent);
        form->FormActivate(form.get());
        EXPECT_EQ(form->DevicePath, NodePath(c.Taken));
        EXPECT_EQ(second.RequestLog().empty(), std::string(c.Taken) == "hidraw1") << "the search stops there";
        EXPECT_TRUE(boxes.empty()) << "a unit passed over says nothing";
        Settle();
        CloseWindows();
        std::filesystem::remove(NodePath("hidraw1"));
        std::filesystem::remove(NodePath("hidraw7"));
    }
}

TEST_F(ConfigWindowTest, ApplyWritesTheUnitsOwnSettingsBackUnchanged) {
    for (const std::uint8_t type : {std::uint8_t(128), std::uint8_t(129), std::uint8_t(3)}) {
        SCOPED_TRACE(int(type));
        OpenWindows();
        SimulatedUnit& unit = Plug("hidraw" + std::to_string(type), ConfiguredUnit(type));
        ASSERT_TRUE(WaitOpen(true));
        const SettingsMemory before{unit.Page(0), unit.Page(1), unit.Page(2)};
        unit.ClearRequestLog();
        boxes.clear();
        form->BitBtn2->PerformClick();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, "Завершено успешно");
        EXPECT_EQ(boxes[0].Caption, "Применить");
        EXPECT_EQ(unit.RequestLog().size(), type == 128 ? 29u : 37u);
        // Every byte the program owns, as it was; page 2 is the SMS units' only.
        struct Range {
            int Page, Address, Size;
        };
        for (const Range r : {Range{0, 0x00, 4},
                              {0, 0x06, 5},
                              {0, 0x10, 18},
                              {0, 0x30, 6},
                              {0, 0x50, 3},
                              {0, 0x60, 15},
                              {0, 0x80, 18},
                              {0, 0xB0, 7},
                              {0, 0xB8, 3},
                              {0, 0xFE, 2},
                              {1, 0x00, 256},
                              {2, 0x00, type == 128 ? 256 : 0x1E + 7}})
            EXPECT_EQ(std::memcmp(unit.Page(r.Page).data() + r.Address, before[r.Page].data() + r.Address, r.Size), 0)
                << "page " << r.Page << " at " << r.Address;

        // A bad number sends nothing and shows the conversion error.
        form->Edit9->SetText("x");
        unit.ClearRequestLog();
        boxes.clear();
        form->BitBtn2->PerformClick();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, "'x' is not a valid integer value");
        EXPECT_TRUE(unit.RequestLog().empty());

        // Pulled out mid-apply: an error box, never the success one.
        form->Edit9->SetText("1");
        unit.UnplugAfter(5);
        boxes.clear();
        form->BitBtn2->PerformClick();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].Text, "Завершено успешно");
        EXPECT_EQ(boxes[0].Caption, "Применить");
        EXPECT_FALSE(form->HasDevice());
        Settle();
        CloseWindows();
    }
}

TEST_F(ConfigWindowTest, WithoutHotPlugNoticesItSaysSoOnceAndSearchesOnActivation) {
    paths.DevDir = (folder / "no_such_folder").string();
    OpenWindows();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Error Register Message");
    Plug("hidraw4", ConfiguredUnit(128));
    form->FormActivate(form.get());
    EXPECT_EQ(form->DevicePath, NodePath("hidraw4"));
    EXPECT_EQ(boxes.size(), 1u);
}

// The APN panel has no Default button: Enter in a field leaves it open, Tab
// to OK and Enter closes it.
TEST_F(ConfigWindowTest, TheApnPanelByKeysAlone) {
    OpenWindows();
    form->Show();
    ForgetEndedRuns();
    ModalUser user;
    user.Then([](QWidget& modal) {
        QTest::keyClicks(QApplication::focusWidget(), "internet");
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}) PressKey(&modal, key);
        EXPECT_TRUE(modal.isVisible());
        PressKey(&modal, Qt::Key_Return);
    });
    form->SpeedButton3Click(form->SpeedButton3);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(panel->ModalResult(), mrOk);
    EXPECT_EQ(panel->Edit2->Text(), "internet");
}

TEST_F(ConfigWindowTest, TheHintLineShowsTheHintsOnlyWhenAskedTo) {
    OpenWindows();
    form->CheckBox10->SetChecked(true);
    EXPECT_TRUE(form->Label30->Visible());
    EXPECT_TRUE(form->Label30->Enabled());
    Application().SetHint("Номер телефона на который будет отправлено СМС-сообщение");
    EXPECT_EQ(form->Label30->Caption(), "Номер телефона на который будет отправлено СМС-сообщение");
    form->CheckBox10->SetChecked(false);
    EXPECT_FALSE(form->Label30->Visible());
    Application().SetHint("Порт");
    EXPECT_EQ(form->Label30->Caption(), "Номер телефона на который будет отправлено СМС-сообщение");
}

// For a look by eye: the window with a type-128 unit, every page in turn.
TEST_F(ConfigWindowTest, PicturesOfEveryPageWithAType128Unit) {
    if (kSanitizerBuild) GTEST_SKIP() << "a picture for the eye, drawn by the normal build";
    OpenWindows();
    Plug("hidraw0", ConfiguredUnit(128));
    form->FormActivate(form.get());
    form->Show();
    ASSERT_TRUE(form->HasDevice());
    for (int i = 0; i < form->KtPageControl1->PageCount(); ++i) {
        TKtTabSheet* page = form->KtPageControl1->Pages(i);
        if (!page->TabVisible()) continue;
        form->KtPageControl1->SetActivePage(page);
        QCoreApplication::processEvents();
        const QString path =
            QCoreApplication::applicationDirPath() + "/config_window_page" + QString::number(i) + ".png";
        EXPECT_TRUE(form->Widget()->grab().toImage().save(path)) << path.toStdString();
    }
}

}  // namespace
}  // namespace dlk::config::testing
