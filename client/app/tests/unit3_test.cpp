#include "client/app/unit3.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>

#include "client/core/settings/modems_file.h"
#include "framework/application/message_box.h"
#include "framework/tests/qt_test_app.h"

namespace dlk::client {
namespace {

const ImeiBcd kPump = *TextToImei("356938035643809");
const ImeiBcd kWell = *TextToImei("490154203237518");

ModemEntry Entry(const ImeiBcd& imei, const char* name) {
    ModemEntry e;
    e.Imei = imei;
    e.Name = MakeShortString<31>(name);
    e.PausedAtStart = 1;
    e.Modbus = 1;
    e.ModbusLo = 2;
    e.ModbusHi = 9;
    return e;
}

class PropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlk::testing::EnsureApplication();
        owner = std::make_unique<TForm>(nullptr);
        owner->SetBounds(100, 100, 704, 229);
        std::string pattern = (std::filesystem::temp_directory_path() / "dlk_props_XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        file = folder / kModemsFileName;
        table.Entries.push_back(Entry(kPump, "pump"));
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes.push_back(r);
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxAnswerer(nullptr);
        TForm::SetModalAnswerer(nullptr);
        std::filesystem::remove_all(folder);
    }
    bool Execute() {
        return ExecuteModemProperties(*owner, table, 0, file, {1080, 40}, [this] { ++repaints; });
    }
    std::unique_ptr<TForm> owner;
    std::filesystem::path folder;
    std::filesystem::path file;
    ModemTable table;
    std::vector<MessageBoxRequest> boxes;
    int repaints = 0;
};

TEST(PropertiesDialogPlace, CentredOnTheMainWindowAndKeptOnTheScreen) {
    EXPECT_EQ(PropertiesDialogBounds(Bounds(100, 100, 704, 229), 308, 211, {1080, 40}), Bounds(298, 109, 308, 211));
    // A main window above the screen's top: the dialog stops at the top edge.
    EXPECT_EQ(PropertiesDialogBounds(Bounds(0, -200, 704, 229), 308, 211, {1080, 40}).Top, 0);
    // One low on the screen: the dialog's bottom stays above the taskbar.
    EXPECT_EQ(PropertiesDialogBounds(Bounds(0, 900, 704, 229), 308, 211, {1080, 40}).Top, 1080 - 40 - 211);
}

TEST_F(PropertiesDialogTest, OpensWithTheEntrysSettingsAndTheModbusFieldsFollowTheirBox) {
    TForm3 dialog(nullptr);
    ModemUserSettings s;
    s.Name = MakeShortString<31>("pump");
    s.Modbus = 0;
    s.ModbusLo = 3;
    s.ModbusHi = 200;
    dialog.Fill("356938035643809", s);
    EXPECT_EQ(dialog.Caption(), "свойства IMEI 356938035643809");
    EXPECT_EQ(dialog.ClientWidth(), 302);
    EXPECT_EQ(dialog.ClientHeight(), 183);
    EXPECT_EQ(dialog.Edit1->Text(), "pump");
    EXPECT_EQ(dialog.Edit2->Text(), "3");
    EXPECT_EQ(dialog.Edit3->Text(), "200");
    EXPECT_TRUE(dialog.CheckBox1->Checked());
    EXPECT_FALSE(dialog.CheckBox2->Checked());
    EXPECT_FALSE(dialog.Button1->Enabled());
    for (TControl* c : std::initializer_list<TControl*>{dialog.Edit2, dialog.Label2, dialog.Edit3, dialog.Label3}) {
        EXPECT_FALSE(c->Enabled()) << c->Name();
    }
    // hi on the left, lo on the right.
    EXPECT_EQ(dialog.Label3->Left(), 24);
    EXPECT_EQ(dialog.Edit3->Left(), 72);
    EXPECT_EQ(dialog.Label2->Left(), 120);
    EXPECT_EQ(dialog.Edit2->Left(), 168);

    dialog.CheckBox2->PerformClick();
    EXPECT_TRUE(dialog.Edit2->Enabled());
    EXPECT_TRUE(dialog.Label3->Enabled());
    EXPECT_TRUE(dialog.Button1->Enabled());
}

TEST_F(PropertiesDialogTest, OkStoresIntoTheEntryAndTheFile) {
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm3&>(d);
        EXPECT_EQ(dialog.Edit1->Text(), "pump");
        EXPECT_TRUE(dialog.Edit2->Enabled());
        EXPECT_FALSE(Execute());  // not twice
        dialog.Edit1->SetText(std::string(40, 'n'));
        dialog.CheckBox1->PerformClick();
        dialog.Edit2->SetText("1");
        dialog.Edit3->SetText("5");
        dialog.Button1->PerformClick();
    });
    EXPECT_TRUE(Execute());
    EXPECT_FALSE(ModemPropertiesOpen());
    EXPECT_EQ(repaints, 1);
    const ModemEntry& e = table.Entries[0];
    EXPECT_EQ(e.Name.Text(), std::string(31, 'n'));
    EXPECT_EQ(e.PausedAtStart, 0);
    EXPECT_EQ(e.ModbusLo, 1);
    EXPECT_EQ(e.ModbusHi, 5);
    EXPECT_EQ(std::filesystem::file_size(file), 64u);
    EXPECT_EQ(FindModemSettings(file, kPump)->Name.Text(), std::string(31, 'n'));
}

TEST_F(PropertiesDialogTest, AnEmptiedTableCannotRedirectOkToAnotherModem) {
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm3&>(d);
        {
            // A settings restart empties the table; another modem is heard first.
            std::lock_guard lock(table.TableLock);
            table.Entries.clear();
            table.Entries.push_back(Entry(kWell, "well"));
        }
        dialog.Edit1->SetText("boiler");
        dialog.Button1->PerformClick();
    });
    EXPECT_TRUE(Execute());
    EXPECT_EQ(table.Entries[0].Name.Text(), "well");
    EXPECT_EQ(FindModemSettings(file, kPump)->Name.Text(), "boiler");
    EXPECT_FALSE(FindModemSettings(file, kWell));
}

TEST_F(PropertiesDialogTest, AWrongAddressIsReportedAndNothingIsTaken) {
    int shown = 0;
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm3&>(d);
        if (++shown == 1) {
            dialog.Edit1->SetText("renamed");
            dialog.Edit3->SetText("300");
            dialog.Button1->PerformClick();
        } else {
            EXPECT_EQ(dialog.Edit3->Text(), "300");
            dialog.Button2->PerformClick();
        }
    });
    EXPECT_FALSE(Execute());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find("hi-адрес"), std::string::npos);
    EXPECT_EQ(table.Entries[0].Name.Text(), "pump");
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(repaints, 0);
}

// Only "Modbus" changed: the name keeps its stored bytes, one of them
// without a character; a name code page 1251 cannot hold is refused in its
// field, and nothing is written.
TEST_F(PropertiesDialogTest, TheNameGoesBackAsStoredOrIsRefusedWhen1251CannotHoldIt) {
    table.Entries[0].Name = MakeShortString<31>("pump\x98");
    for (const char* typed : {"Котёл 日本", static_cast<const char*>(nullptr)}) {
        boxes.clear();
        int shown = 0;
        TForm::SetModalAnswerer([&](TForm& d) {
            auto& dialog = static_cast<TForm3&>(d);
            if (++shown > 1) return dialog.Button2->PerformClick();
            if (typed != nullptr) dialog.Edit1->SetText(typed);
            dialog.CheckBox2->PerformClick();
            dialog.Button1->PerformClick();
        });
        EXPECT_EQ(Execute(), typed == nullptr);
        EXPECT_EQ(boxes.size(), typed == nullptr ? 0u : 1u);
        EXPECT_EQ(std::filesystem::exists(file), typed == nullptr);
    }
    EXPECT_EQ(FindModemSettings(file, kPump)->Name.Text(), "pump\x98");
    EXPECT_EQ(table.Entries[0].Modbus, 0);
}

TEST_F(PropertiesDialogTest, AGoneEntryOpensNothing) {
    bool shown = false;
    TForm::SetModalAnswerer([&](TForm&) { shown = true; });
    EXPECT_FALSE(ExecuteModemProperties(*owner, table, 3, file, {1080, 40}, nullptr));
    EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace dlk::client
