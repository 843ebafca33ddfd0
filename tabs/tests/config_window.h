#pragma once

namespace dlk::testing {

// The configurator's window as it stores its page control; the tests read it
// into a page control that records its events.
inline constexpr const char* kConfigWindow = R"form(
Form1 : TForm {
  ClientWidth = 792
  ClientHeight = 277
  KtPageControl1 : TRecordingPageControl {
    Align = alTop  Width = 792  Height = 217  ActivePage = @TabSheet2  TabIndex = 0
    TabStyle = tsRoundCorners  HotTrack = False  HotTrackColor = clBlack  ShowFocusRect = False
    ShowShadow = False  DblClickUndocks = False
    ParentFont = False  Font.Name = "Verdana"  Font.Height = -11  FixedDimension = 19
    TabSheet2 : TKtTabSheet { Caption = "График работы" }
    TabSheet4 : TKtTabSheet { Caption = "RS-232 (COM-порт)"  Speed : TEdit { } }
    TabSheet1 : TKtTabSheet { Caption = "Настройки" }
    TabSheet5 : TKtTabSheet { Caption = "SMS-сообщения" }
    TabSheet3 : TKtTabSheet { Caption = "Перепрошивка" }
  }
}
)form";

}  // namespace dlk::testing
