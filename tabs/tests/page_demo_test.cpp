// A small window of five pages with real controls, shown and saved as a
// picture beside the test program for a person to look at.
#include "tabs/tests/page_control_fixture.h"

namespace dlk::testing {
namespace {

constexpr const char* kDemoWindow = R"(
Demo : TForm {
  ClientWidth = 420
  ClientHeight = 240
  Pages : TRecordingPageControl { Align = alClient  ActivePage = @Settings  TabStyle = tsRoundCorners
    ParentFont = False  Font.Name = "Verdana"  Font.Height = -11
    Chart : TKtTabSheet { Caption = "График" }
    Settings : TKtTabSheet { Caption = "Настройки"
      Group : TGroupBox { Left = 8  Top = 8  Width = 200  Height = 90  Caption = "Связь"
        Phone : TEdit { Left = 10  Top = 20  Width = 120  Height = 21  Text = "+7 900 000-00-00" }
        Roaming : TCheckBox { Left = 10  Top = 50  Width = 150  Height = 17  Caption = "В роуминге" } }
      Apply : TButton { Left = 8  Top = 110  Width = 90  Height = 25  Caption = "Применить" } }
    Port : TKtTabSheet { Caption = "COM-порт"  Speed : TComboBox { Left = 8  Top = 8  Width = 120 } }
    Sms : TKtTabSheet { Caption = "SMS"  Color = clInfoBk  Text1 : TEdit { Left = 8  Top = 8  Width = 200  Height = 21  Text = "Тревога" } }
    Flash : TKtTabSheet { Caption = "Перепрошивка"  Start : TButton { Left = 8  Top = 8  Caption = "Начать" } }
  }
}
)";

TEST_F(PageControlTest, TheDemoWindowShowsItsActivePageWithItsControls) {
    TRecordingPageControl& pc = Read(kDemoWindow);
    ShowActive();
    for (const char* page : {"Settings", "Sms"}) {
        pc.SetActivePage(&Page(page));
        EXPECT_EQ(pc.Names(true), page);
        EXPECT_NE(Control("Phone").Showing(), page == std::string("Sms"));
        const QString path = QCoreApplication::applicationDirPath() + "/page_demo_" + page + ".png";
        EXPECT_TRUE(form->Widget()->grab().toImage().save(path)) << path.toStdString();
    }
}

}  // namespace
}  // namespace dlk::testing
