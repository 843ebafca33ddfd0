// A small window of five pages with real controls on them, shown and saved
// as a picture next to the test program for a person to look at.
#include <QImage>

#include "framework/controls/std_controls.h"
#include "tabs/tests/page_control_fixture.h"

namespace dlk::testing {
namespace {

constexpr const char* kDemoWindow = R"(
Demo : TForm {
  Caption = "Страницы"
  ClientWidth = 420
  ClientHeight = 240
  Pages : TRecordingPageControl {
    Align = alClient
    ActivePage = @Settings
    TabStyle = tsRoundCorners
    ParentFont = False
    Font.Name = "Verdana"
    Font.Height = -11
    Chart : TKtTabSheet { Caption = "График" }
    Settings : TKtTabSheet { Caption = "Настройки"
      Group : TGroupBox { Left = 8  Top = 8  Width = 200  Height = 90  Caption = "Связь"
        Phone : TEdit { Left = 10  Top = 20  Width = 120  Height = 21  Text = "+7 900 000-00-00" }
        Roaming : TCheckBox { Left = 10  Top = 50  Width = 150  Height = 17  Caption = "В роуминге" }
      }
      Apply : TButton { Left = 8  Top = 110  Width = 90  Height = 25  Caption = "Применить" }
      Hint1 : TLabel { Left = 220  Top = 12  Caption = "Номер модема" }
    }
    Port : TKtTabSheet { Caption = "COM-порт"
      Speed : TComboBox { Left = 8  Top = 8  Width = 120  Height = 21 }
    }
    Sms : TKtTabSheet { Caption = "SMS"  Color = clInfoBk
      Text1 : TEdit { Left = 8  Top = 8  Width = 200  Height = 21  Text = "Тревога" }
    }
    Flash : TKtTabSheet { Caption = "Перепрошивка"
      Start : TButton { Left = 8  Top = 8  Width = 120  Height = 25  Caption = "Начать" }
    }
  }
}
)";

TEST_F(PageControlTest, TheDemoWindowShowsItsActivePageWithItsControls) {
    TRecordingPageControl& pc = Read(kDemoWindow);
    ShowActive();
    EXPECT_EQ(pc.PageCount(), 5);
    EXPECT_EQ(pc.Shown(), "Settings");
    EXPECT_TRUE(Control("Phone").Showing());
    EXPECT_FALSE(Control("Start").Showing());

    const QImage shot = form->Widget()->grab().toImage();
    const QString path = QCoreApplication::applicationDirPath() + "/page_demo.png";
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
    // The page's face inside the card, clear of its controls.
    const TRect display = pc.DisplayRect();
    EXPECT_EQ(shot.pixelColor(display.Right - 5, display.Bottom - 5),
              QColor(ColorToRGB(clBtnFace) & 0xFF, (ColorToRGB(clBtnFace) >> 8) & 0xFF,
                     (ColorToRGB(clBtnFace) >> 16) & 0xFF));
    pc.SetActivePage(&Page("Sms"));
    EXPECT_TRUE(Control("Text1").Showing());
    EXPECT_FALSE(Control("Phone").Showing());
    form->Widget()->grab().toImage().save(QCoreApplication::applicationDirPath() + "/page_demo_sms.png");
}

}  // namespace
}  // namespace dlk::testing
