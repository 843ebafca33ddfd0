#include "framework/controls/header_control.h"

#include <QHeaderView>
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyle>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/components/properties.h"
#include "framework/controls/control_properties.h"

namespace dlk {

// ---- THeaderSection

THeaderSection::THeaderSection(TComponent* owner) : TComponent(owner) {}

THeaderSection::~THeaderSection() {
    if (header_ != nullptr) header_->Detach(this);
}

void THeaderSection::SetText(const std::string& text) {
    text_ = text;
    if (header_) header_->ShowSection(Index());
}

void THeaderSection::SetWidth(int width) {
    width_ = std::max(0, width);
    if (header_) header_->ShowSection(Index());
}

void THeaderSection::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    if (header_) header_->ShowSection(Index());
}

void THeaderSection::SetImageIndex(int index) {
    image_index_ = index;
    if (header_) header_->ShowSection(Index());
}

int THeaderSection::Index() const {
    if (header_ == nullptr) return -1;
    const auto& all = header_->sections_;
    return int(std::find(all.begin(), all.end(), this) - all.begin());
}

void THeaderSection::SetParentComponent(TComponent* parent) {
    auto* header = dynamic_cast<THeaderControl*>(parent);
    if (header == nullptr) throw EPropertyError("a header section belongs in a header control");
    header->Attach(this);
}

TComponent* THeaderSection::GetParentComponent() const {
    return header_;
}

// ---- THeaderControl

THeaderControl::THeaderControl(TComponent* owner) : TControl(owner) {
    auto* view = new HostWidget<QHeaderView>(Link(), Qt::Horizontal);
    model_ = new QStandardItemModel(0, 0, view);
    view->setModel(model_);
    view->setSectionsClickable(true);
    view->setHighlightSections(false);
    view->setStretchLastSection(false);
    view->setMinimumSectionSize(0);
    view->setSectionResizeMode(QHeaderView::Interactive);
    view->setSortIndicatorShown(false);
    view->setFocusPolicy(Qt::NoFocus);
    SetWidget(view);
    QObject::connect(view, &QHeaderView::sectionClicked, view,
                     [this](int index) { Guarded([&] { SectionClicked(index); }); });
    QObject::connect(view, &QHeaderView::sectionResized, view,
                     [this](int index, int, int newWidth) { Guarded([&] { SectionResized(index, newWidth); }); });
    SetBounds(0, 0, 200, 17);
}

THeaderControl::~THeaderControl() {
    Destroying();
    for (THeaderSection* s : sections_) s->header_ = nullptr;
}

QHeaderView* THeaderControl::HeaderView() const {
    return static_cast<QHeaderView*>(Widget());
}

THeaderSection* THeaderControl::AddSection() {
    auto* section = new THeaderSection(Owner() ? Owner() : this);
    Attach(section);
    return section;
}

void THeaderControl::Attach(THeaderSection* section) {
    if (section->header_ == this) return;
    if (section->header_ != nullptr) section->header_->Detach(section);
    section->header_ = this;
    sections_.push_back(section);
    ShowSections();
}

void THeaderControl::Detach(THeaderSection* section) {
    sections_.erase(std::remove(sections_.begin(), sections_.end(), section), sections_.end());
    section->header_ = nullptr;
    if (!IsDestroying()) ShowSections();
}

void THeaderControl::SetImages(TImageList* images) {
    images_.Set(images);
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    images_.Removed(component, operation);
}

QImage THeaderControl::SectionImage(const THeaderSection& section) const {
    return images_.Image(section.image_index_);
}

void THeaderControl::BeginUpdate() {
    ++update_count_;
}

void THeaderControl::EndUpdate() {
    if (update_count_ > 0 && --update_count_ == 0) ShowSections();
}

void THeaderControl::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
    TControl::GetChildren(visit, root);
    for (THeaderSection* s : sections_) visit(s);
}

void THeaderControl::ShowSections() {
    if (update_count_ > 0) return;
    showing_ = true;
    model_->setColumnCount(int(sections_.size()));
    showing_ = false;
    for (int i = 0; i < int(sections_.size()); ++i) ShowSection(i);
}

void THeaderControl::ShowSection(int index) {
    if (update_count_ > 0 || index < 0 || index >= model_->columnCount()) return;
    const THeaderSection& s = *sections_[std::size_t(index)];
    showing_ = true;
    auto* item = model_->horizontalHeaderItem(index);
    if (item == nullptr) {
        item = new QStandardItem;
        model_->setHorizontalHeaderItem(index, item);
    }
    item->setText(SectionCaption(index, s.width_));
    const Qt::Alignment align = s.alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                : s.alignment_ == TAlignment::taCenter     ? Qt::AlignHCenter
                                                                           : Qt::AlignLeft;
    item->setTextAlignment(align | Qt::AlignVCenter);
    const QImage image = SectionImage(s);
    item->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    if (HeaderView()->sectionSize(index) != s.width_) HeaderView()->resizeSection(index, s.width_);
    showing_ = false;
}

void THeaderControl::FontChanged() {
    TControl::FontChanged();
    ShowSections();
}

// A caption wider than the room its section leaves keeps its start and ends
// in "...", whatever its alignment, rather than losing letters at either side.
QString THeaderControl::SectionCaption(int index, int width) const {
    const THeaderSection& s = *sections_[std::size_t(index)];
    const QString text = QString::fromStdString(s.text_);
    QHeaderView* view = HeaderView();
    const int margin = view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view);
    int room = width - 2 * margin;
    if (const QImage image = SectionImage(s); !image.isNull()) room -= image.width() + margin;
    return view->fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, room));
}

void THeaderControl::SectionClicked(int index) {
    if (index < 0 || index >= SectionCount()) return;
    Raise(OnSectionClick, this, sections_[std::size_t(index)]);
}

void THeaderControl::SectionResized(int index, int newWidth) {
    if (showing_ || index < 0 || index >= SectionCount()) return;
    THeaderSection* section = sections_[std::size_t(index)];
    section->width_ = newWidth;
    if (auto* item = model_->horizontalHeaderItem(index)) {
        showing_ = true;
        item->setText(SectionCaption(index, newWidth));
        showing_ = false;
    }
    Raise(OnSectionTrack, this, section, newWidth, TSectionTrackState::tsTrackMove);
}

// ---- stored descriptions

namespace {

std::vector<std::pair<const char*, TAlignment>> SectionAlignmentNames() {
    return {{"taLeftJustify", TAlignment::taLeftJustify},
            {"taRightJustify", TAlignment::taRightJustify},
            {"taCenter", TAlignment::taCenter}};
}

}  // namespace

const ClassInfo& THeaderSection::StaticClass() {
    using T = THeaderSection;
    static const ClassInfo info(
        "THeaderSection", &TComponent::StaticClass(), Creator<T>(),
        {
            prop::String<T>(
                "Text", [](const T& c) { return c.Text(); }, [](T& c, const std::string& v) { c.SetText(v); }),
            prop::Int<T>(
                "Width", [](const T& c) { return c.Width(); }, [](T& c, std::int64_t v) { c.SetWidth(int(v)); }, 50),
            prop::Enum<T, TAlignment>(
                "Alignment", SectionAlignmentNames(), [](const T& c) { return c.Alignment(); },
                [](T& c, TAlignment v) { c.SetAlignment(v); }, TAlignment::taLeftJustify),
            prop::Int<T>(
                "ImageIndex", [](const T& c) { return c.ImageIndex(); },
                [](T& c, std::int64_t v) { c.SetImageIndex(int(v)); }, -1),
        });
    return info;
}

const ClassInfo& THeaderControl::StaticClass() {
    using T = THeaderControl;
    static const ClassInfo info("THeaderControl", &TControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Reference<T, TImageList>("Images", &T::Images, &T::SetImages),
                                });
    return info;
}

DLK_REGISTER_CLASS(THeaderSection);
DLK_REGISTER_CLASS(THeaderControl);

}  // namespace dlk
