#include "config/app/unit1.h"

#include <QSocketNotifier>

#include "config/app/apply_glyph.h"
#include "config/app/config_texts.h"
#include "config/app/dib_chart_surface.h"
#include "config/app/resources.h"
#include "config/app/schedule_pictures.h"
#include "config/app/settings_binding.h"
#include "config/app/unit2.h"
#include "config/core/device_types.h"
#include "config/core/grf_file.h"
#include "config/core/schedule_markers.h"
#include "config/core/schedule_scene.h"
#include "config/core/settings_procedures.h"
#include "drawing/dib_surface.h"
#include "framework/application/application.h"
#include "framework/application/message_box.h"
#include "framework/application/messages.h"
#include "framework/components/description_reader.h"
#include "framework/controls/image_list.h"
#include "platform/hid/hidraw_device.h"
#include "tabs/alt_cue_fix.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::config {

namespace {

constexpr char kScheduleFilter[] = "файл графика работы (*.grf)|*.grf";

}  // namespace

UnitBus SystemUnitBus() {
    return {HidrawPaths{},
            [](const std::string& path) -> std::shared_ptr<HidDevice> { return HidrawDevice::Open(path); }};
}

void OfferPage(TKtTabSheet& page, bool offered) {
    page.SetEnabled(offered);
    page.SetTabVisible(offered);
}

TForm1::TForm1(TComponent* owner, UnitBus bus) : TForm(owner), bus_(std::move(bus)) {
    InitConfigResources();
    ReadComponentResource(*this, ":/config/unit1.form");
    KtPageControl1 = FindRequired<TKtPageControl>(*this, "KtPageControl1");
    TabSheet1 = FindRequired<TKtTabSheet>(*this, "TabSheet1");
    TabSheet2 = FindRequired<TKtTabSheet>(*this, "TabSheet2");
    TabSheet3 = FindRequired<TKtTabSheet>(*this, "TabSheet3");
    TabSheet4 = FindRequired<TKtTabSheet>(*this, "TabSheet4");
    TabSheet5 = FindRequired<TKtTabSheet>(*this, "TabSheet5");
    CheckBox1 = FindRequired<TCheckBox>(*this, "CheckBox1");
    Label11 = FindRequired<TLabel>(*this, "Label11");
    Edit4 = FindRequired<TEdit>(*this, "Edit4");
    Label12 = FindRequired<TLabel>(*this, "Label12");
    ComboBox1 = FindRequired<TComboBox>(*this, "ComboBox1");
    SpeedButton3 = FindRequired<TSpeedButton>(*this, "SpeedButton3");
    SpeedButton2 = FindRequired<TSpeedButton>(*this, "SpeedButton2");
    SpeedButton5 = FindRequired<TSpeedButton>(*this, "SpeedButton5");
    SpeedButton6 = FindRequired<TSpeedButton>(*this, "SpeedButton6");
    PopupMenu1 = FindRequired<TPopupMenu>(*this, "PopupMenu1");
    N1 = FindRequired<TMenuItem>(*this, "N1");
    N2 = FindRequired<TMenuItem>(*this, "N2");
    N3 = FindRequired<TMenuItem>(*this, "N3");
    ComboBox2 = FindRequired<TComboBox>(*this, "ComboBox2");
    ComboBox3 = FindRequired<TComboBox>(*this, "ComboBox3");
    ComboBox4 = FindRequired<TComboBox>(*this, "ComboBox4");
    ComboBox5 = FindRequired<TComboBox>(*this, "ComboBox5");
    CheckBox3 = FindRequired<TCheckBox>(*this, "CheckBox3");
    CheckBox4 = FindRequired<TCheckBox>(*this, "CheckBox4");
    CheckBox5 = FindRequired<TCheckBox>(*this, "CheckBox5");
    Edit6 = FindRequired<TEdit>(*this, "Edit6");
    Edit7 = FindRequired<TEdit>(*this, "Edit7");
    Label18 = FindRequired<TLabel>(*this, "Label18");
    Edit8 = FindRequired<TEdit>(*this, "Edit8");
    Label28 = FindRequired<TLabel>(*this, "Label28");
    Edit9 = FindRequired<TEdit>(*this, "Edit9");
    Label20 = FindRequired<TLabel>(*this, "Label20");
    Edit10 = FindRequired<TEdit>(*this, "Edit10");
    Edit11 = FindRequired<TEdit>(*this, "Edit11");
    CheckBox2 = FindRequired<TCheckBox>(*this, "CheckBox2");
    CheckBox6 = FindRequired<TCheckBox>(*this, "CheckBox6");
    CheckBox7 = FindRequired<TCheckBox>(*this, "CheckBox7");
    MaskEdit1 = FindRequired<TMaskEdit>(*this, "MaskEdit1");
    Label19 = FindRequired<TLabel>(*this, "Label19");
    Edit12 = FindRequired<TEdit>(*this, "Edit12");
    RadioButton1 = FindRequired<TRadioButton>(*this, "RadioButton1");
    RadioButton2 = FindRequired<TRadioButton>(*this, "RadioButton2");
    Label2 = FindRequired<TLabel>(*this, "Label2");
    Label4 = FindRequired<TLabel>(*this, "Label4");
    Label7 = FindRequired<TLabel>(*this, "Label7");
    Label8 = FindRequired<TLabel>(*this, "Label8");
    Label27 = FindRequired<TLabel>(*this, "Label27");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button2 = FindRequired<TButton>(*this, "Button2");
    BitBtn2 = FindRequired<TBitBtn>(*this, "BitBtn2");
    Button3 = FindRequired<TButton>(*this, "Button3");
    CheckBox10 = FindRequired<TCheckBox>(*this, "CheckBox10");
    Label30 = FindRequired<TLabel>(*this, "Label30");
    Label10 = FindRequired<TLabel>(*this, "Label10");
    OpenDialog1 = FindRequired<TOpenDialog>(*this, "OpenDialog1");
    SaveDialog1 = FindRequired<TSaveDialog>(*this, "SaveDialog1");
    AltCueFix1 = FindRequired<TAltCueFix>(*this, "AltCueFix1");
    FindFirmwarePageControls();

    CheckBox1->OnClick = [this](TObject* s) { CheckBox1Click(s); };
    CheckBox6->OnClick = [this](TObject* s) { CheckBox6Click(s); };
    CheckBox7->OnClick = [this](TObject* s) { CheckBox7Click(s); };
    CheckBox10->OnClick = [this](TObject* s) { CheckBox10Click(s); };
    SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    Button3->OnClick = [this](TObject* s) { Button3Click(s); };
    BitBtn2->OnClick = [this](TObject* s) { BitBtn2Click(s); };
    SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
    SpeedButton6->OnClick = [this](TObject* s) { SpeedButton6Click(s); };
    PopupMenu1->OnPopup = [this](TObject* s) { PopupMenu1Popup(s); };
    N1->OnClick = [this](TObject* s) { N1Click(s); };
    N2->OnClick = [this](TObject* s) { N2Click(s); };
    N3->OnClick = [this](TObject* s) { N3Click(s); };
    TabSheet2->OnPaintBackground = [this](TObject* s, TCanvas& c, const TRect& r, bool& handled) {
        TabSheet2PaintBackground(s, c, r, handled);
    };
    TabSheet2->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) {
        TabSheet2MouseMove(s, shift, x, y);
    };
    TabSheet2->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        TabSheet2MouseDown(s, b, shift, x, y);
    };
    TabSheet2->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        TabSheet2MouseUp(s, b, shift, x, y);
    };
    HookWindowProc([this](WindowProcedure previous) -> WindowProcedure {
        return [this, previous](TMessage& m) { Form1WindowProc(m, previous); };
    });
    TabSheet2->HookWindowProc([this](WindowProcedure previous) -> WindowProcedure {
        return [this, previous](TMessage& m) { TabSheet2WindowProc(m, previous); };
    });
    ShowSchedulePictures();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    DoCreate();
}

TForm1::~TForm1() {
    DoDestroy();
}

void TForm1::FormCreate(TObject*) {
    for (TKtTabSheet* page : {TabSheet1, TabSheet3, TabSheet4, TabSheet5}) OfferPage(*page, false);
    Button2->SetCaption(config_texts::kGsmButtonCaption);
    surface_ = std::make_unique<TDibSurface>(kChartWidth, kChartHeight, DibFormat::Rgb24);
    chart_surface_ = std::make_unique<DibChartSurface>(*surface_);
    Schedule.PointCount = 0;
    Draw_Scene();
    watcher_ = std::make_unique<HidrawWatcher>(bus_.Paths.DevDir);
    if (watcher_->Start()) {
        watcher_notifier_ = std::make_unique<QSocketNotifier>(watcher_->Descriptor(), QSocketNotifier::Read);
        QObject::connect(watcher_notifier_.get(), &QSocketNotifier::activated, Widget(),
                         [this] { Guarded([this] { TakeDeviceChanges(); }); });
    } else {
        watcher_.reset();
        MessageBox(nullptr, config_texts::kNoNotifications, Application().Title, MB_OK);
    }
    CloseDevice();
}

void TForm1::FormActivate(TObject*) {
    if (DevicePath.empty()) FindDevice();
}

// Without a window manager (a kiosk session) the window may never be
// activated; a unit present at start is looked for when it first shows.
void TForm1::FormShow(TObject*) {
    if (shown_before_) return;
    shown_before_ = true;
    if (DevicePath.empty()) FindDevice();
}

void TForm1::FormDestroy(TObject*) {
    if (Application().OnHint) Application().OnHint = nullptr;
    CloseDevice();
    watcher_notifier_.reset();
    watcher_.reset();
    chart_surface_.reset();
    surface_.reset();
}

void TForm1::FindDevice() {
    for (const UnitCandidate& candidate : FindUnitCandidates(bus_.Paths)) {
        if (candidate.Node.Path == unreadable_path_) continue;
        OpenDevice(candidate.Node.Path, candidate.Mode);
        if (!DevicePath.empty()) return;
    }
}

void TForm1::OpenDevice(const std::string& path, UnitMode mode) {
    std::shared_ptr<HidDevice> device = bus_.Open ? bus_.Open(path) : nullptr;
    if (device == nullptr || !device->IsOpen()) return;
    device_ = std::move(device);
    Link.Attach(device_.get());
    DevicePath = path;

    // The controls as they stand: a stored value the pages cannot show
    // leaves its control as it was.
    SettingsPages pages = CollectPages(*this, *Form2);
    OpenedUnit opened;
    if (const LinkStatus status = OpenUnit(Link, mode, LocaleDecimalSeparator(), pages, Schedule, opened);
        status != LinkStatus::Ok) {
        // A unit that does not answer its identification is passed over
        // quietly, like one that does not open; one that fails while its
        // settings are read has been seen, and the user is told.
        CloseDevice();
        if (opened.Identified) ReportUnreadableUnit(path, status);
        return;
    }
    const IdentityTexts texts = DescribeIdentity(opened.Identity);
    Label2->SetCaption(texts.UsbProgramVersion);
    Label4->SetCaption(texts.SerialNumber);
    Label7->SetCaption(texts.DeviceType);
    Label8->SetCaption(texts.MainProgramVersion);
    Label27->SetCaption(texts.HardwareVersion);
    DeviceType = opened.Identity.DeviceType;
    Button1->SetEnabled(true);

    if (opened.Mode == UnitMode::Normal) {
        SetCaption(config_texts::kCaption);
        as_read_ = opened.AsRead;
        ShowPages(pages, *this, *Form2);
        OfferTypePages(DeviceType);
        BitBtn2->SetEnabled(true);
        // The unit's schedule is seen whole.
        Chart.View().Reset();
        Draw_Scene();
    } else {
        SetCaption(config_texts::kBootLoaderCaption);
        // A boot loader has no GSM module to pass through.
        Button2->SetEnabled(false);
    }
    OfferPage(*TabSheet3, true);
}

void TForm1::ReportUnreadableUnit(const std::string& path, LinkStatus status) {
    // Closed already, so a removal notice handled while the box is up finds
    // nothing to do; the window's next activation does not read the same
    // unit again and again, only its next arrival does.
    unreadable_path_ = path;
    MessageBox(Widget(), LinkStatusMessage(status), config_texts::kTitle, MB_OK | MB_ICONERROR);
    ResetOnRemoval();
}

void TForm1::OfferTypePages(std::uint8_t device_type) {
    const DeviceTypeRow& row = DeviceTypeFor(device_type);
    OfferPage(*TabSheet1, row.SettingsPage);
    OfferPage(*TabSheet4, row.SerialLinePage);
    OfferPage(*TabSheet5, row.SmsPage);
    if (row.SettingsPage) {
        for (TControl* c : std::initializer_list<TControl*>{Label20, Edit10, Label18, Edit8, CheckBox2}) {
            c->SetVisible(row.PacketFieldsVisible);
        }
    }
    Button2->SetEnabled(row.GsmPassThrough);
    CheckBox1->SetEnabled(!row.ScheduleNeedsNoDtr || !CheckBox3->Checked());
    CheckBox1Click(CheckBox1);
    CheckBox6Click(CheckBox6);
    CheckBox7Click(CheckBox7);
}

void TForm1::CloseDevice() {
    Link.Attach(nullptr);
    if (device_ != nullptr) device_->Close();
    device_.reset();
    DevicePath.clear();
    as_read_.reset();
}

void TForm1::ClearUnitSettings() {
    Schedule.PointCount = 0;
    Chart.View().Reset();
    CheckBox1->SetChecked(false);
    CheckBox1->SetEnabled(false);
    Edit4->SetText("");
    // Without a selection, as at start: a combo box keeps its choice over a
    // unit's value that the list does not offer, and that value must go
    // back as read, not as the previous unit's choice.
    for (TComboBox* box : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5}) box->SetItemIndex(-1);
    BitBtn2->SetEnabled(false);
    Draw_Scene();
}

void TForm1::ResetOnRemoval() {
    SetCaption(config_texts::kCaption);
    ClearUnitSettings();
    KtPageControl1->SetActivePageIndex(0);
    for (TKtTabSheet* page : {TabSheet1, TabSheet4, TabSheet5, TabSheet3}) OfferPage(*page, false);
}

void TForm1::TakeDeviceChanges() {
    if (watcher_ == nullptr) return;
    for (HidrawChange& change : watcher_->TakeChanges()) {
        pending_changes_.push_back(std::move(change));
        PostMessage(Widget(), WM_DEVICECHANGE, 0, 0);
    }
}

void TForm1::WndProc(TMessage& message) {
    if (message.Msg == WM_DEVICECHANGE) {
        if (pending_changes_.empty()) return;
        const HidrawChange change = std::move(pending_changes_.front());
        pending_changes_.pop_front();
        WMDeviceChange(change);
        return;
    }
    TForm::WndProc(message);
}

void TForm1::WMDeviceChange(const HidrawChange& change) {
    if (change.Kind == HidrawChangeKind::Arrived) {
        if (!DevicePath.empty()) return;
        // Plugged in again: worth another try.
        unreadable_path_.clear();
        if (const auto candidate = UnitCandidateForNode(bus_.Paths, change.Name)) {
            OpenDevice(candidate->Node.Path, candidate->Mode);
        }
        return;
    }
    if (DevicePath.empty() || change.Path != DevicePath) return;
    ResetOnRemoval();
    CloseDevice();
}

void TForm1::CheckBox1Click(TObject*) {
    const bool on = CheckBox1->Checked();
    for (TControl* c : std::initializer_list<TControl*>{Label11, Edit4, Label12, ComboBox1, SpeedButton3}) {
        c->SetEnabled(on);
    }
    Draw_Scene();
}

void TForm1::CheckBox6Click(TObject*) {
    Label28->SetEnabled(CheckBox6->Checked());
    Edit9->SetEnabled(CheckBox6->Checked());
}

void TForm1::CheckBox7Click(TObject*) {
    const bool on = CheckBox7->Checked();
    for (TControl* c : std::initializer_list<TControl*>{Label19, Edit12, RadioButton1, RadioButton2}) c->SetEnabled(on);
}

void TForm1::CheckBox10Click(TObject*) {
    const bool on = CheckBox10->Checked();
    Label30->SetEnabled(on);
    Label30->SetVisible(on);
    if (on) {
        Application().OnHint = [this](TObject* s) { ShowHintText(s); };
    } else {
        Application().OnHint = nullptr;
    }
}

void TForm1::ShowHintText(TObject*) {
    Label30->SetCaption(Application().Hint());
}

void TForm1::SpeedButton3Click(TObject*) {
    if (Form2 != nullptr) Form2->ShowModal();
}

void TForm1::Button3Click(TObject*) {
    Close();
}

void TForm1::BitBtn2Click(TObject*) {
    SettingsPages pages = CollectPages(*this, *Form2);
    const ApplyResult result =
        ApplySettings(Link, DeviceType, LocaleDecimalSeparator(), pages, Schedule, as_read_ ? &*as_read_ : nullptr);
    SerialLine = pages.SerialLine;
    if (result.Outcome == ApplyOutcome::BadText) {
        RefuseText(result.Field);
        return;
    }
    const unsigned icon = result.Outcome == ApplyOutcome::Done ? MB_ICONINFORMATION : MB_ICONERROR;
    MessageBox(Widget(), result.Message, kApplyCaption, MB_OK | icon);
}

void TForm1::RefuseText(TextField field) {
    const TextFieldControls controls = ControlsOf(field, *this, *Form2);
    MessageBox(Widget(), UnfitTextMessage(controls.Label->Caption()), kApplyCaption, MB_OK | MB_ICONERROR);
    // The APN panel is closed by now: the box names its field.
    if (!controls.OnMainWindow) return;
    if (auto* page = dynamic_cast<TKtTabSheet*>(controls.Edit->Parent())) KtPageControl1->SetActivePage(page);
    FocusControl(*this, controls.Edit->Name());
}

void TForm1::ShowSchedulePictures() {
    const ScheduleMarkers& markers = DefaultScheduleMarkers();
    auto* icons = new TImageList(this);
    icons->SetName("MarkerImages");
    N2->SetImageIndex(icons->Add(MarkerPicture(markers.MaskOn, markers.On)));
    N3->SetImageIndex(icons->Add(MarkerPicture(markers.MaskOff, markers.Off)));
    PopupMenu1->SetImages(icons);
    SpeedButton2->Glyph().Assign(ClearScheduleGlyph());
    SpeedButton5->Glyph().Assign(OpenScheduleGlyph());
    SpeedButton6->Glyph().Assign(SaveScheduleGlyph());
    BitBtn2->Glyph().Assign(ApplyGlyph());
}

void TForm1::Draw_Scene() {
    if (chart_surface_ == nullptr) return;
    SceneOptions options;
    options.WorksBySchedule = CheckBox1->Checked();
    options.DrawsBands = DeviceTypeFor(DeviceType).SwitchesOff;
    DrawScheduleScene(*chart_surface_, Schedule, Chart.View(), options);
    TabSheet2->Invalidate();
}

void TForm1::TabSheet2PaintBackground(TObject*, TCanvas& canvas, const TRect& rect, bool& handled) {
    // The whole page is painted here, the strip in the page's colour and
    // the chart below it, so the page itself must not paint over the chart.
    canvas.Pen.Color = TabSheet2->GetColor();
    canvas.Brush.Color = TabSheet2->GetColor();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(Rect(rect.Left, rect.Top, rect.Right, ScheduleChart::kChartTop));
    if (surface_ != nullptr) canvas.Draw(0, ScheduleChart::kChartTop, surface_->Image());
    handled = true;
}

void TForm1::ShowTimeLabel() {
    const ScheduleChart::TimeLabel& label = Chart.Label();
    Label10->SetLeft(label.Left);
    Label10->SetCaption(label.Text);
    Label10->SetVisible(label.Visible);
}

void TForm1::TabSheet2MouseMove(TObject*, TShiftState, int x, int y) {
    const bool redraw = Chart.MouseMove(x, y);
    ShowTimeLabel();
    if (!Chart.PopupAssigned()) TabSheet2->SetPopupMenu(nullptr);
    if (redraw) Draw_Scene();
}

void TForm1::TabSheet2MouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        Chart.LeftDown(x, y);
    } else if (button == TMouseButton::mbRight) {
        Chart.RightDown(y);
        TabSheet2->SetPopupMenu(Chart.PopupAssigned() ? PopupMenu1 : nullptr);
    }
}

void TForm1::TabSheet2MouseUp(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button == TMouseButton::mbLeft) Chart.LeftUp();
}

void TForm1::Form1WindowProc(TMessage& message, const WindowProcedure& previous) {
    // The wheel zooms only while the chart is in view: on another page it
    // would change a chart nobody sees.
    const bool zooms = message.Msg == WM_MOUSEWHEEL && KtPageControl1->ActivePage() == TabSheet2;
    if (zooms) {
        const auto delta = static_cast<std::int16_t>((message.WParam >> 16) & 0xFFFF);
        if (delta != 0 && Chart.Wheel(delta < 0)) Draw_Scene();
    }
    // Whatever was done with it, the form's own handling still sees it.
    previous(message);
    if (zooms) message.Result = 1;
}

void TForm1::TabSheet2WindowProc(TMessage& message, const WindowProcedure& previous) {
    if (message.Msg == CM_MOUSELEAVE) {
        Chart.MouseLeave();
        ShowTimeLabel();
        Draw_Scene();
    }
    previous(message);
}

void TForm1::PopupMenu1Popup(TObject*) {
    const ScheduleChart::MenuItems items = Chart.Popup(DeviceTypeFor(DeviceType).SwitchesOff);
    N1->SetVisible(items.RemovePoint);
    N2->SetVisible(items.AddOnPoint);
    N3->SetVisible(items.AddOffPoint);
}

void TForm1::AddMenuPoint(bool on) {
    if (!Chart.AddPoint(on)) {
        MessageBox(Widget(), kTooManyPointsText, kTooManyPointsCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    Draw_Scene();
}

void TForm1::N1Click(TObject*) {
    Chart.RemovePoint();
    Draw_Scene();
}

void TForm1::N2Click(TObject*) {
    AddMenuPoint(true);
}

void TForm1::N3Click(TObject*) {
    AddMenuPoint(false);
}

void TForm1::SpeedButton2Click(TObject*) {
    Chart.Clear();
    Draw_Scene();
    SetCaption(config_texts::kCaption);
}

void TForm1::ShowScheduleFile(const std::string& path) {
    SetCaption(std::string(config_texts::kCaption) + " [" + std::filesystem::path(path).filename().string() + "]");
}

void TForm1::SpeedButton5Click(TObject*) {
    // The dialog is shared with the firmware page, which leaves its own
    // filter and file there.
    OpenDialog1->Filter = kScheduleFilter;
    OpenDialog1->FilterIndex = 1;
    OpenDialog1->FileName.clear();
    if (!OpenDialog1->Execute()) return;
    if (!ReadGrfFile(OpenDialog1->FileName, Schedule)) return;
    Chart.View().Reset();
    Draw_Scene();
    ShowScheduleFile(OpenDialog1->FileName);
}

void TForm1::SpeedButton6Click(TObject*) {
    if (!SaveDialog1->Execute()) return;
    const std::filesystem::path path = GrfFileName(SaveDialog1->FileName);
    if (!WriteGrfFile(path, Schedule)) return;
    ShowScheduleFile(path.string());
}

const ClassInfo& TForm1::StaticClass() {
    static const ClassInfo info("TForm1", &TForm::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk::config
