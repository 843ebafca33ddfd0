#include "server_edit/app/unit1.h"

#include <QCursor>

#include "framework/application/message_box.h"
#include "framework/components/description_reader.h"
#include "server_edit/app/form_parts.h"
#include "server_edit/app/menu_images.h"
#include "server_edit/app/resources.h"
#include "server_edit/app/unit2.h"
#include "server_edit/app/unit3.h"
#include "server_edit/app/unit4.h"

namespace dlk::server_edit {

namespace {

bool SameRows(const std::vector<ListRow>& a, const std::vector<ListRow>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Slot != b[i].Slot || a[i].Texts != b[i].Texts) return false;
    }
    return true;
}

unsigned FlagsOf(PromptButtons buttons, PromptIcon icon) {
    unsigned flags = icon == PromptIcon::Error ? MB_ICONERROR : MB_ICONWARNING;
    switch (buttons) {
        case PromptButtons::Ok: flags |= MB_OK; break;
        case PromptButtons::OkCancel: flags |= MB_OKCANCEL; break;
        case PromptButtons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
    }
    return flags;
}

PromptAnswer AnswerOf(int answer) {
    switch (answer) {
        case IDOK: return PromptAnswer::Ok;
        case IDYES: return PromptAnswer::Yes;
        case IDNO: return PromptAnswer::No;
        default: return PromptAnswer::Cancel;
    }
}

}  // namespace

TForm1::TForm1(TComponent* owner, std::filesystem::path folder) : TForm(owner), editor_(std::move(folder), *this) {
    InitServerEditResources();
    ReadComponentResource(*this, ":/server_edit/unit1.form");
    ListView1 = FindRequired<TListView>(*this, "ListView1");
    Splitter1 = FindRequired<TSplitter>(*this, "Splitter1");
    ListView2 = FindRequired<TListView>(*this, "ListView2");
    MainMenu1 = FindRequired<TMainMenu>(*this, "MainMenu1");
    N1 = FindRequired<TMenuItem>(*this, "N1");
    N3 = FindRequired<TMenuItem>(*this, "N3");
    N2 = FindRequired<TMenuItem>(*this, "N2");
    N4 = FindRequired<TMenuItem>(*this, "N4");
    N6 = FindRequired<TMenuItem>(*this, "N6");
    N7 = FindRequired<TMenuItem>(*this, "N7");
    N5 = FindRequired<TMenuItem>(*this, "N5");

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    N1->OnClick = [this](TObject* s) { N1Click(s); };
    N3->OnClick = [this](TObject* s) { N3Click(s); };
    N2->OnClick = [this](TObject* s) { N2Click(s); };
    N5->OnClick = [this](TObject* s) { N5Click(s); };
    N6->OnClick = [this](TObject* s) { N6Click(s); };
    N7->OnClick = [this](TObject* s) { N7Click(s); };
    ListView1->OnSelectItem = [this](TObject* s, TListItem* item, bool on) { ListView1SelectItem(s, item, on); };
    ListView2->OnSelectItem = [this](TObject* s, TListItem* item, bool on) { ListView2SelectItem(s, item, on); };
    ListView1->OnDblClick = [this](TObject* s) { ListView1DblClick(s); };
    ListView2->OnDblClick = [this](TObject* s) { ListView2DblClick(s); };
    ListView1->OnEnter = [this](TObject*) { editor_.FocusList(EditorList::Clients); };
    ListView2->OnEnter = [this](TObject*) { editor_.FocusList(EditorList::Modems); };
    DoCreate();
}

TForm1::~TForm1() {
    DoDestroy();
}

void TForm1::FormCreate(TObject*) {
    // No focus rectangles in either list.
    ListView1->SetHideFocusRect(true);
    ListView2->SetHideFocusRect(true);
    auto* menuImages = new TImageList(this);
    for (const QImage& image : MenuImages()) menuImages->Add(image);
    MainMenu1->SetImages(menuImages);
    editor_.Start();
    ShowState();
}

void TForm1::FormCloseQuery(TObject*, bool& canClose) {
    canClose = editor_.CloseQuery();
}

void TForm1::N1Click(TObject*) {
    editor_.Add();
    ShowState();
}

void TForm1::N3Click(TObject*) {
    editor_.Change();
    ShowState();
}

void TForm1::N2Click(TObject*) {
    editor_.Delete();
    ShowState();
}

void TForm1::N5Click(TObject*) {
    Close();
}

void TForm1::N6Click(TObject*) {
    editor_.EditServerPort();
    ShowState();
}

void TForm1::N7Click(TObject*) {
    editor_.ToggleShowAllModems();
    ShowState();
}

void TForm1::ListView1SelectItem(TObject*, TListItem* item, bool selected) {
    if (showing_) return;
    if (selected)
        editor_.SelectClientRow(item->Index());
    else if (ListView1->Selected() == nullptr)
        editor_.ClearClientSelection();
    ShowState();
}

void TForm1::ListView2SelectItem(TObject*, TListItem* item, bool selected) {
    if (showing_) return;
    if (selected)
        editor_.SelectModemRow(item->Index());
    else if (ListView2->Selected() == nullptr)
        editor_.ClearModemSelection();
    ShowState();
}

// The list under the mouse cursor decides: a row there is changed, empty
// space adds to that list's table.
int TForm1::RowUnderCursor(TListView& view) const {
    const QPoint cursor = QCursor::pos();
    const TPoint p = view.ScreenToClient({cursor.x(), cursor.y()});
    TListItem* item = view.GetItemAt(p.X, p.Y);
    return item != nullptr ? item->Index() : -1;
}

void TForm1::ListView1DblClick(TObject*) {
    editor_.DoubleClick(EditorList::Clients, RowUnderCursor(*ListView1));
    ShowState();
}

void TForm1::ListView2DblClick(TObject*) {
    editor_.DoubleClick(EditorList::Modems, RowUnderCursor(*ListView2));
    ShowState();
}

void TForm1::ShowState() {
    if (showing_) return;
    showing_ = true;
    ShowList(*ListView1, editor_.ClientList(), shown_clients_);
    ShowList(*ListView2, editor_.ModemList(), shown_modems_);
    N6->SetEnabled(editor_.PortItemEnabled());
    N6->SetCaption(editor_.PortItemCaption());
    N7->SetChecked(editor_.ShowAllModems());
    showing_ = false;
}

void TForm1::ShowList(TListView& view, const ListState& state, std::vector<ListRow>& shown) {
    if (!SameRows(shown, state.Rows) || view.ItemCount() != int(state.Rows.size())) {
        view.BeginUpdate();
        view.ClearItems();
        for (const ListRow& row : state.Rows) {
            TListItem* item = view.AddItem();
            item->Data = row.Slot;
            item->SetCaption(row.Texts[0]);
            for (std::size_t i = 1; i < row.Texts.size(); ++i) item->AddSubItem(row.Texts[i]);
        }
        view.EndUpdate();
        shown = state.Rows;
    }
    view.SetSelected(state.SelectedRow >= 0 ? view.Item(state.SelectedRow) : nullptr);
}

std::optional<ClientFields> TForm1::EditClient(const ClientDialogRequest& request) {
    if (Form2 == nullptr) Form2 = new TForm2(this);
    return Form2->Run(request, *this);
}

std::optional<ModemFields> TForm1::EditModem(const ModemDialogRequest& request) {
    if (Form3 == nullptr) Form3 = new TForm3(this);
    return Form3->Run(request, *this);
}

std::optional<std::string> TForm1::EditPort(const PortDialogRequest& request) {
    if (Form4 == nullptr) Form4 = new TForm4(this);
    return Form4->Run(request, *this);
}

PromptAnswer TForm1::Ask(const std::string& text, const std::string& caption, PromptButtons buttons, PromptIcon icon) {
    return AnswerOf(MessageBox(Widget(), text, caption, FlagsOf(buttons, icon)));
}

const ClassInfo& TForm1::StaticClass() {
    static const ClassInfo info("TForm1", &TForm::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk::server_edit
