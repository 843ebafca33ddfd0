#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QPainter>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/image_list.h"
#include "framework/tests/qt_test_app.h"
#include "platform/testing/sanitizer_build.h"
#include "tabs/core/color_helpers.h"
#include "tabs/core/tab_shapes.h"
#include "tabs/environment.h"
#include "tabs/kt_tab_control.h"
#include "tabs/tests/page_control_fixture.h"

namespace dlk {
namespace {

// Colours no default uses, so each pixel tells what painted it.
const TColor kBack = RGB(0, 128, 128), kCard = RGB(250, 240, 200), kFrame = RGB(0, 0, 160);
const TColor kEdge = RGB(60, 60, 60), kFill = RGB(230, 230, 230);

struct PaintedTabs {
    std::unique_ptr<TKtCustomTabControl> control;
    QImage image;
    TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
};

template <class Control = TKtCustomTabControl>
std::unique_ptr<Control> MakeControl(int w, int h, const std::vector<std::string>& captions) {
    testing::EnsureApplication();
    auto c = std::make_unique<Control>(nullptr);
    c->SetBounds(0, 0, w, h);
    TFont font = c->Font();
    font.Name = "Verdana";
    font.Height = -11;
    c->SetFont(font);
    c->SetBackgroundColor(kBack);
    c->SetColor(kCard);
    c->SetFlatColor(kFrame);
    c->SetFlatColorAdjustment(0);
    c->TabColors().SetShadow(kEdge);
    c->TabColors().SetUnselected(kFill);
    for (const std::string& caption : captions) {
        auto tab = std::make_unique<TKtTabData>();
        tab->Caption = caption;
        c->Tabs().Add(std::move(tab));
    }
    c->TabsChanged();
    return c;
}

// Each component within d of the other's.
bool Near(TColor a, TColor b, int d) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= d && std::abs(GetGValue(a) - GetGValue(b)) <= d &&
           std::abs(GetBValue(a) - GetBValue(b)) <= d;
}

QImage GrabRgb32(TKtCustomTabControl& c) {
    return c.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels that change with the text colour alone: the captions' ink,
// antialiasing included.
std::vector<TPoint> CaptionInk(TKtCustomTabControl& c) {
    auto paintIn = [&](TColor color) {
        c.TextColors().SetSelected(color), c.TextColors().SetUnselected(color), c.TextColors().SetDisabled(color);
        return GrabRgb32(c);
    };
    const QImage black = paintIn(clBlack), white = paintIn(clWhite);
    std::vector<TPoint> ink;
    for (int y = 0; y < black.height(); ++y)
        for (int x = 0; x < black.width(); ++x)
            if (black.pixel(x, y) != white.pixel(x, y)) ink.push_back({x, y});
    return ink;
}

TRegion RegionOf(TKtCustomTabControl& c, int i) {
    const TRect r = c.GetTabClientRect(i);
    return *c.GetTabRegion(i, r);  // a copy: the cache lends it only until the next one
}

void SavePng(const QImage& image, const char* name) {
    const QString path = QCoreApplication::applicationDirPath() + "/" + name;
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

const std::vector<std::string> kConfigCaptions = {"График работы", "RS-232 (COM-порт)", "Настройки", "SMS-сообщения",
                                                  "Перепрошивка"};

// The configurator's page strip: top, round corners, one row, gradients on,
// no hot-tracking, focus frame or shadow.
template <class Control = TKtCustomTabControl>
std::unique_ptr<Control> ConfigStrip() {
    auto c = MakeControl<Control>(792, 217, kConfigCaptions);
    c->SetTabStyle(TKtTabStyle::tsRoundCorners);
    c->SetHotTrack(false);
    c->SetShowFocusRect(false);
    c->SetShowShadow(false);
    c->SetFixedDimension(19);
    c->SetTabIndex(0);
    return c;
}

// The colours a control paints in, as the checks tell its pixels apart.
struct Palette {
    TColor back, card, frame, edge, fill;
};

Palette PaletteOf(const TKtCustomTabControl& c) {
    return {ColorToRGB(c.BackgroundColor()), ColorToRGB(c.Color()),
            AdjustLuminance(ColorToRGB(c.FlatColor()), c.FlatColorAdjustment()), ColorToRGB(c.TabColors().Shadow()),
            ColorToRGB(c.TabColors().Unselected())};
}

void CheckConfiguratorStrip(TKtCustomTabControl& c, const char* png) {
    const Palette k = PaletteOf(c);
    // The frame must stand out for the checks below to tell it apart.
    ASSERT_NE(k.frame, k.back);
    ASSERT_NE(k.frame, k.card);
    const QFontInfo font(c.TabFont().ToQFont());
    EXPECT_EQ(font.family(), "DejaVu Sans");
    EXPECT_EQ(font.pixelSize(), 11);
    const QImage image = GrabRgb32(c);
    SavePng(image, png);
    PaintedTabs p{nullptr, image};
    ASSERT_EQ(c.RowCount(), 1);
    const TRect sel = c.GetTabClientRect(0), next = c.GetTabClientRect(1);
    const TRect card = c.CardRect(0);
    // The selected tab is 4 longer and 2 taller than its neighbours and
    // stands on the card's top edge, which is open beneath it.
    EXPECT_EQ(sel.Height(), next.Height() + 2);
    EXPECT_EQ(sel.Bottom, card.Top);
    for (int x = sel.Left + 1; x < sel.Right; ++x) EXPECT_EQ(p.At(x, card.Top), k.card) << x;
    for (int x : {sel.Right + 1, next.Left + 5, card.Right - 1}) EXPECT_EQ(p.At(x, card.Top), k.frame) << x;
    EXPECT_EQ(p.At(card.Right, card.Top + 50), k.frame);
    EXPECT_EQ(p.At(300, card.Bottom), k.frame);
    // Round corners: the corner pixel is background, the diagonal is outline.
    const TRect last = c.GetTabClientRect(4);
    for (const TPoint& corner : {TPoint{sel.Left, sel.Top}, {sel.Right, sel.Top}, {last.Right, last.Top}})
        EXPECT_EQ(p.At(corner.X, corner.Y), k.back) << corner.X;
    for (const TPoint& diagonal : {TPoint{sel.Left + 1, sel.Top + 1}, {sel.Right - 1, sel.Top + 1}})
        EXPECT_EQ(p.At(diagonal.X, diagonal.Y), k.frame) << diagonal.X;
    // Drawn last, the selected tab's right side lies over the start of tab 1.
    const TRegion theirs = RegionOf(c, 1);
    for (int y = next.Top + 3; y < next.Bottom; ++y) {
        ASSERT_TRUE(theirs.Contains({sel.Right, y}));
        EXPECT_EQ(p.At(sel.Right, y), k.frame) << y;
    }
    // Unselected tabs run from the edge colour at the top to the fill at the card.
    for (int i = 1; i < 5; ++i) {
        const TRect r = c.GetTabClientRect(i);
        EXPECT_TRUE(Near(p.At(r.Left + 4, r.Top + 1), k.edge, 20)) << i;
        EXPECT_TRUE(Near(p.At(r.Left + 4, r.Bottom - 1), k.fill, 20)) << i;
    }
    // Each caption's ink lies in its own tab's region, between the tab's ends.
    const std::vector<TPoint> ink = CaptionInk(c);
    ASSERT_FALSE(ink.empty());
    std::vector<int> perTab(5, 0);
    for (const TPoint& q : ink) {
        int owner = -1;
        for (int i = 0; i < 5 && owner < 0; ++i)
            if (RegionOf(c, i).Contains(q)) owner = i;
        ASSERT_GE(owner, 0) << q.X << "," << q.Y;
        ++perTab[std::size_t(owner)];
    }
    for (int i = 0; i < 5; ++i) EXPECT_GT(perTab[std::size_t(i)], 20) << i;
}

// The strip set up by hand in colours no default uses, and the page control
// as the configurator stores it, in its own colours and with its pages.
TEST(TabPaintTest, ConfiguratorStripOpensItsCardUnderTheSelectedRoundTab) {
    {
        SCOPED_TRACE("strip set by hand");
        CheckConfiguratorStrip(*ConfigStrip(), "dlk_config_tabs.png");
    }
    SCOPED_TRACE("the stored page control");
    testing::EnsureApplication();
    TForm form(nullptr);
    ReadComponent(form, testing::kConfigWindow, "config.form");
    TKtPageControl& pc = *FindRequired<TKtPageControl>(form, "KtPageControl1");
    form.Show();
    CheckConfiguratorStrip(pc, "dlk_config_page_control.png");
    // The page covers the card inside its frame, in its own colour.
    EXPECT_EQ(pc.ActivePage()->BoundsRect(), Rect(1, 23, 791, 216));
    const QImage page = GrabRgb32(pc);
    for (const TPoint& q : {TPoint{1, 23}, {400, 120}, {790, 215}})
        EXPECT_EQ(FromQColor(page.pixelColor(q.X, q.Y)), ColorToRGB(pc.ActivePage()->GetColor())) << q.X;
}

// Painted through the canvas, as a control without a picture of its own.
class TCanvasPaintedTabs : public TKtCustomTabControl {
public:
    using TKtCustomTabControl::TKtCustomTabControl;

protected:
    const QImage* ComposePicture() override { return nullptr; }
};

// The picture the control lends its paint shows what the canvas would.
TEST(TabPaintTest, TheLentPictureShowsWhatTheCanvasPathPaints) {
    struct Case {
        const char* what;
        std::function<void(TKtCustomTabControl&)> setUp;
    } const cases[] = {
        {"the configurator's strip", [](TKtCustomTabControl&) {}},
        {"two rows on the left with a shadow and a hot tab",
         [](TKtCustomTabControl& c) {
             c.SetTabOrientation(TKtTabOrientation::toLeft);
             c.SetMultiLine(true);
             c.SetShowShadow(true);
             c.SetBounds(0, 0, 300, 200);
         }},
        {"a handled background left unpainted",
         [](TKtCustomTabControl& c) {
             c.OnPaintBackground = [](TObject*, TCanvas&, const TRect&, bool& handled) { handled = true; };
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        auto lent = ConfigStrip();
        auto canvas = ConfigStrip<TCanvasPaintedTabs>();
        k.setUp(*lent), k.setUp(*canvas);
        for (int paint = 0; paint < 2; ++paint) EXPECT_EQ(GrabRgb32(*lent), GrabRgb32(*canvas)) << paint;
    }
}

// A square image of one colour.
QImage Swatch(int size, QColor color) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

TEST(TabPaintTest, GalleryOfEveryStyleOrientationAndSequence) {
    if (testing::kSanitizerBuild) GTEST_SKIP() << "a picture for the eye, drawn by the normal build";
    TImageList images(nullptr);
    images.SetSize(12, 12);
    images.Add(Swatch(12, Qt::red));
    images.Add(Swatch(12, Qt::darkGreen));
    const TKtTabStyle styles[] = {TKtTabStyle::tsSingleSlant, TKtTabStyle::tsDoubleSlant, TKtTabStyle::tsCutCorner,
                                  TKtTabStyle::tsRoundCorners, TKtTabStyle::tsBackSlant};
    const TKtTabOrientation orientations[] = {TKtTabOrientation::toTop, TKtTabOrientation::toLeft,
                                              TKtTabOrientation::toBottom, TKtTabOrientation::toRight};
    const int W = 240, H = 200;
    QImage gallery(W * 8, H * 5, QImage::Format_RGB32);
    gallery.fill(Qt::white);
    int cell = 0;
    for (int s = 0; s < 5; ++s)
        for (int o = 0; o < 4; ++o)
            for (int q = 0; q < 2; ++q, ++cell) {
                SCOPED_TRACE(std::to_string(s) + " style, " + std::to_string(o) + " orientation, " + std::to_string(q) +
                             " sequence");
                auto c = MakeControl(W, H, {"One", "Two\r\nlines", "&Off", "Four", "Five", "Six", "Seven", "Eight"});
                c->SetTabStyle(styles[s]);
                c->SetTabOrientation(orientations[o]);
                c->SetTabSequence(q == 0 ? TKtTabSequence::tsStandard : TKtTabSequence::tsReverse);
                c->SetMultiLine(true);
                c->SetImages(&images);
                c->SetShowShadow(s % 2 == 0);
                c->SetUseColoredTabs(s == 2);
                c->SetTextOrientation(o % 2 == 1 ? TOrientation::orVertical : TOrientation::orHorizontal);
                for (int i = 0; i < 8; ++i) {
                    TKtTabData& tab = *c->Tabs().Items(i);
                    tab.ImageIndex = i % 3 == 0 ? 0 : -1;
                    tab.Color = i % 2 == 0 ? RGB(255, 200, 200) : RGB(200, 220, 255);
                }
                c->Tabs().Items(2)->TabEnabled = false;
                c->Tabs().Items(2)->ImageIndex = 1;
                c->TabsChanged();
                c->SetTabIndex(1);
                const QImage image = GrabRgb32(*c);
                QPainter(&gallery).drawImage((cell % 8) * W, (cell / 8) * H, image);
                EXPECT_GE(c->RowCount(), 2);
                // Nothing outside the tabs, their outlines and the cards.
                std::vector<TRect> rects;
                for (int i = 0; i < 8; ++i) rects.push_back(c->GetTabClientRect(i));
                for (int r = 0; r < c->RowCount(); ++r) rects.push_back(c->CardRect(r));
                int outside = 0, stray = 0;
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x) {
                        if (FromQColor(image.pixelColor(x, y)) == kBack) continue;
                        bool inside = false;
                        for (const TRect& r : rects)
                            inside = inside || (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom);
                        if (!inside && outside++ == 0) ADD_FAILURE() << "painted at " << x << "," << y;
                    }
                EXPECT_EQ(outside, 0);
                // Caption ink in the tabs' regions.
                for (const TPoint& p : CaptionInk(*c)) {
                    bool inRegion = false;
                    for (int i = 0; i < 8 && !inRegion; ++i) inRegion = RegionOf(*c, i).Contains(p);
                    stray += !inRegion;
                }
                EXPECT_EQ(stray, 0);
                // The selected tab's outline meets the card frame at both of its ends.
                const TKtTabShape shape = ShapePoints(c->TabShapeRect(1), styles[s], false, c->CutCornerSize());
                for (const TPoint& end : {shape.Points[0], shape.Points[std::size_t(shape.Count - 1)]}) {
                    const TPoint at = c->StripToClient(end);
                    int frame = 0;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (at.X + dx >= 0 && at.Y + dy >= 0 && at.X + dx < W && at.Y + dy < H)
                                frame += FromQColor(image.pixelColor(at.X + dx, at.Y + dy)) == kFrame;
                    EXPECT_GE(frame, 2) << at.X << "," << at.Y;
                }
            }
    SavePng(gallery, "tab_gallery.png");
}

TEST(TabPaintTest, EventsColoursAndStaleSelectionsInThePipeline) {
    struct Case {
        const char* what;
        std::function<void(TKtCustomTabControl&)> setUp;
        std::function<void(TKtCustomTabControl&, const PaintedTabs&)> check;
    } const cases[] = {
        {"no tabs: the bare card fills the base rectangle",
         [](TKtCustomTabControl& c) { c.Tabs().Clear(), c.TabsChanged(); },
         [](TKtCustomTabControl&, const PaintedTabs& p) {
             EXPECT_EQ(p.At(100, 50), kCard);
             EXPECT_EQ(p.At(299, 50), kFrame);
             EXPECT_EQ(p.At(100, 99), kFrame);
             EXPECT_EQ(p.At(0, 0), kFrame);
         }},
        {"a handled background event leaves the fill to it",
         [](TKtCustomTabControl& c) {
             c.OnPaintBackground = [](TObject*, TCanvas& canvas, const TRect& r, bool& handled) {
                 canvas.Brush.Color = clFuchsia;
                 canvas.FillRect(r);
                 handled = true;
             };
         },
         [](TKtCustomTabControl&, const PaintedTabs& p) { EXPECT_EQ(p.At(298, 1), ColorToRGB(clFuchsia)); }},
        {"tab background and text colour events",
         [](TKtCustomTabControl& c) {
             c.OnPaintTabBackground = [](TObject*, TCanvas& canvas, int i, const TRect& r, bool& handled) {
                 canvas.Brush.Color = i == 1 ? clYellow : clAqua;
                 canvas.FillRect(r);
                 handled = true;
             };
             c.OnGetTextColor = [](TObject*, int, TKtTextStyle, TColor& color, bool& handled) {
                 color = clRed;
                 handled = true;
             };
         },
         [](TKtCustomTabControl& c, const PaintedTabs& p) {
             const TRect r = c.GetTabClientRect(1);
             EXPECT_EQ(p.At(r.Left + 3, r.Top + 4), ColorToRGB(clYellow));
             int red = 0;
             for (int x = r.Left; x < r.Right; ++x)
                 for (int y = r.Top; y < r.Bottom; ++y) {
                     const TColor q = p.At(x, y);
                     red += GetRValue(q) > 150 && GetGValue(q) < 80 && GetBValue(q) < 80;
                 }
             EXPECT_GT(red, 10);
         }},
        {"coloured tabs fill the card with the selected tab's colour",
         [](TKtCustomTabControl& c) {
             c.Tabs().Items(0)->Color = clRed;
             c.SetUseColoredTabs(true);
         },
         [](TKtCustomTabControl&, const PaintedTabs& p) { EXPECT_EQ(p.At(150, 80), ColorToRGB(clRed)); }},
        {"a palette display paints unselected tabs flat", [](TKtCustomTabControl&) { SetTrueColorDisplayTest(false); },
         [](TKtCustomTabControl& c, const PaintedTabs& p) {
             SetTrueColorDisplayTest(std::nullopt);
             const TRect r = c.GetTabClientRect(1);
             EXPECT_EQ(p.At(r.Left + 4, r.Top + 3), kFill);
             EXPECT_EQ(p.At(r.Left + 4, r.Bottom - 1), kFill);
         }},
        {"a selection left past the end is no selection",
         [](TKtCustomTabControl& c) {
             c.SetTabIndex(2);
             c.SetUseColoredTabs(true);
             ASSERT_EQ(c.TabIndex(), 2);
             c.Tabs().Clear();
             auto hidden = std::make_unique<TKtTabData>();
             hidden->TabVisible = false;
             c.Tabs().Add(std::move(hidden));
             c.TabsChanged();
         },
         [](TKtCustomTabControl& c, const PaintedTabs& p) {
             EXPECT_EQ(c.TabIndex(), 2);
             const TRect card = c.CardRect(0);
             EXPECT_EQ(p.At(card.Left + 10, card.Top), kFrame);  // closed
             EXPECT_EQ(p.At(150, 80), kCard);
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        auto c = MakeControl(300, 100, {"One", "Two", "Three"});
        c->SetTabStyle(TKtTabStyle::tsRoundCorners);
        c->SetShowShadow(false);
        c->SetTabIndex(0);
        k.setUp(*c);
        PaintedTabs p{nullptr, GrabRgb32(*c)};
        k.check(*c, p);
    }
}

// The paint's layout moves a selection off a tab that can no longer be
// selected: to the next one, else back to the nearest, else nowhere.
TEST(TabPaintTest, LayoutBeforePaintingMovesTheSelectionToASelectableTab) {
    struct Case {
        int selected;
        std::vector<int> disabled;
        int expected;
    } const cases[] = {{1, {1}, 2}, {2, {2}, 1}, {1, {1, 2}, 0}, {1, {0, 1, 2}, 1}};
    for (const Case& k : cases) {
        auto c = MakeControl(300, 100, {"One", "Two", "Three"});
        c->SetTabIndex(k.selected);
        for (int i : k.disabled) c->Tabs().Items(i)->TabEnabled = false;
        c->TabsChanged();
        GrabRgb32(*c);
        EXPECT_EQ(c->TabIndex(), k.expected) << k.selected;
        EXPECT_FALSE(c->TabChangeApproved());
    }
}

}  // namespace
}  // namespace dlk
