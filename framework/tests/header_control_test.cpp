#include "framework/controls/header_control.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <vector>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "framework/controls/scroll_bar.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

constexpr const char* kHeaderWindow = R"(
Window : TForm {
  ClientWidth = 400
  ClientHeight = 200
  Header : THeaderControl {
    Align = alTop
    Height = 20
    First : THeaderSection { Text = "имя"  Width = 150  ImageIndex = 1 }
    Second : THeaderSection { Text = "получено"  Width = 60  Alignment = taRightJustify }
    Third : THeaderSection { Text = "включение"  Width = 0  Alignment = taCenter }
  }
  Bar : TScrollBar { Kind = sbVertical  Align = alRight  Width = 16  Visible = False  SmallChange = 16  LargeChange = 16 }
}
)";

class HeaderAndScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        form = std::make_unique<TForm>(nullptr);
        ReadComponent(*form, kHeaderWindow, "window.form");
        header = FindOwned<THeaderControl>(*form, "Header");
        bar = FindOwned<TScrollBar>(*form, "Bar");
    }
    std::unique_ptr<TForm> form;
    THeaderControl* header = nullptr;
    TScrollBar* bar = nullptr;
};

TEST_F(HeaderAndScrollBarTest, SectionsComeFromTheDescriptionInOrder) {
    ASSERT_EQ(header->SectionCount(), 3);
    QHeaderView* view = header->HeaderView();
    EXPECT_EQ(view->count(), 3);
    EXPECT_EQ(header->Sections(0)->Text(), "имя");
    EXPECT_EQ(header->Sections(1)->Index(), 1);
    // Shown as far as it fits its 60 pixels.
    EXPECT_TRUE(view->model()->headerData(1, Qt::Horizontal).toString().startsWith(QString("пол")));
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(view->sectionSize(0), 150);
    // A stored width of 0 stays 0: Qt's own minimum would turn it into 26 or so.
    EXPECT_EQ(view->sectionSize(2), 0);
    EXPECT_EQ(header->Sections(2)->Width(), 0);
}

TEST_F(HeaderAndScrollBarTest, ImagesFollowTheSectionsImageIndex) {
    QImage red(16, 16, QImage::Format_RGB32), blue(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    TImageList images(nullptr);
    images.Add(red);
    images.Add(blue);
    header->SetImages(&images);
    QAbstractItemModel* model = header->HeaderView()->model();
    auto hasIcon = [&](int section) {
        return !model->headerData(section, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().isNull();
    };
    EXPECT_TRUE(hasIcon(0));
    EXPECT_FALSE(hasIcon(1));
    // The sections follow the list: a change, and its removal.
    images.Clear();
    EXPECT_FALSE(hasIcon(0));
    images.Add(red);
    images.Add(blue);
    EXPECT_TRUE(hasIcon(0));
    {
        auto* gone = new TImageList(nullptr);
        gone->Add(red);
        gone->Add(blue);
        header->SetImages(gone);
        delete gone;
    }
    EXPECT_EQ(header->Images(), nullptr);
    EXPECT_FALSE(hasIcon(0));
    header->SetImages(&images);
    EXPECT_TRUE(hasIcon(0));
    header->BeginUpdate();
    header->Sections(0)->SetImageIndex(-1);
    header->Sections(1)->SetImageIndex(0);
    EXPECT_TRUE(hasIcon(0));  // shown only at the end of the batch
    header->EndUpdate();
    EXPECT_FALSE(hasIcon(0));
    EXPECT_TRUE(hasIcon(1));
}

TEST_F(HeaderAndScrollBarTest, TheUsersClicksAndDragsAreReportedButWidthsFromCodeAreNot) {
    std::vector<std::pair<int, int>> tracks;
    std::vector<int> clicks;
    header->OnSectionTrack = [&](THeaderControl*, THeaderSection* s, int width, TSectionTrackState) {
        tracks.emplace_back(s->Index(), width);
    };
    header->OnSectionClick = [&](THeaderControl*, THeaderSection* s) { clicks.push_back(s->Index()); };

    header->Sections(1)->SetWidth(80);
    EXPECT_TRUE(tracks.empty());
    EXPECT_EQ(header->HeaderView()->sectionSize(1), 80);

    header->HeaderView()->resizeSection(0, 90);  // as a drag of the divider does
    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0], std::make_pair(0, 90));
    EXPECT_EQ(header->Sections(0)->Width(), 90);

    emit header->HeaderView()->sectionClicked(2);
    EXPECT_EQ(clicks, std::vector<int>{2});
}

TEST_F(HeaderAndScrollBarTest, ACaptionTooWideForItsSectionKeepsItsStartAndEndsInAnEllipsis) {
    QImage arrow(16, 16, QImage::Format_RGB32);
    arrow.fill(Qt::black);
    TImageList images(nullptr);
    images.Add(arrow);
    images.Add(arrow);
    header->SetImages(&images);
    QAbstractItemModel* model = header->HeaderView()->model();
    auto shown = [&](int section) { return model->headerData(section, Qt::Horizontal).toString(); };
    const QString full("получено");
    const QString ellipsis(QChar(0x2026));

    header->Sections(1)->SetWidth(200);
    EXPECT_EQ(shown(1), full);
    // Right-aligned or not, the start stays and the end gives way.
    header->Sections(1)->SetWidth(40);
    EXPECT_TRUE(shown(1).endsWith(ellipsis)) << shown(1).toStdString();
    EXPECT_TRUE(full.startsWith(shown(1).chopped(1)));
    EXPECT_FALSE(shown(1).chopped(1).isEmpty());
    // A drag of the divider fits it again.
    header->HeaderView()->resizeSection(1, 200);
    EXPECT_EQ(shown(1), full);
    // The sort arrow takes room from the caption.
    header->Sections(1)->SetWidth(QFontMetrics(header->HeaderView()->font()).horizontalAdvance(full) + 12);
    EXPECT_EQ(shown(1), full);
    header->Sections(1)->SetImageIndex(0);
    EXPECT_TRUE(shown(1).endsWith(ellipsis)) << shown(1).toStdString();
    header->Sections(1)->SetImageIndex(-1);
    EXPECT_EQ(shown(1), full);
    // So does a bigger font.
    TFont big = header->Font();
    big.Height = -40;
    header->SetFont(big);
    EXPECT_TRUE(shown(1).endsWith(ellipsis)) << shown(1).toStdString();
    // The section keeps its own text whatever is shown.
    EXPECT_EQ(header->Sections(1)->Text(), "получено");
}

TEST_F(HeaderAndScrollBarTest, TheScrollBarKeepsTheClassicRange) {
    bar->SetParams(0, 0, 192);
    bar->SetPageSize(150);
    EXPECT_EQ(bar->LastPosition(), 43);
    EXPECT_EQ(bar->Bar()->maximum(), 43);
    bar->SetPosition(100);
    EXPECT_EQ(bar->Position(), 43);
    // Too big a page is cut to the range.
    bar->SetPageSize(500);
    EXPECT_EQ(bar->PageSize(), 193);
    EXPECT_EQ(bar->LastPosition(), 0);
}

TEST_F(HeaderAndScrollBarTest, OnlyTheUsersMovesRaiseOnScroll) {
    std::vector<std::pair<TScrollCode, int>> scrolls;
    bar->OnScroll = [&](TObject*, TScrollCode code, int& position) {
        scrolls.emplace_back(code, position);
        // A handler setting the bar's values itself must not come back here.
        bar->SetPosition(position);
        if (position == 32) position = 30;
    };
    bar->SetParams(0, 0, 192);
    bar->SetPageSize(150);
    bar->SetPosition(10);
    EXPECT_TRUE(scrolls.empty());

    bar->Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar->Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->Bar()->triggerAction(QAbstractSlider::SliderToMaximum);
    const std::vector<std::pair<TScrollCode, int>> expected = {{TScrollCode::scPageDown, 26},
                                                               {TScrollCode::scLineDown, 42},
                                                               {TScrollCode::scLineDown, 43},
                                                               {TScrollCode::scBottom, 43}};
    EXPECT_EQ(scrolls, expected);
    EXPECT_EQ(bar->Position(), 43);

    scrolls.clear();
    bar->SetPosition(16);
    bar->Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->Position(), 30);  // the handler's answer
    EXPECT_EQ(bar->Bar()->value(), 30);
}

}  // namespace
}  // namespace dlk
