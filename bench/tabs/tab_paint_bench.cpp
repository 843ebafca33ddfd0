#include <benchmark/benchmark.h>

#include <QImage>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <memory>
#include <string>

#include "framework/components/description_reader.h"
#include "framework/controls/form.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_control.h"
#include "tabs/tests/config_window.h"

namespace {

const char* const kCaptions[] = {"График работы", "RS-232 (COM-порт)", "Настройки", "SMS-сообщения", "Перепрошивка"};

std::unique_ptr<dlk::TKtCustomTabControl> Strip(int w, int h, int count, bool multiLine) {
    auto c = std::make_unique<dlk::TKtCustomTabControl>(nullptr);
    c->SetBounds(0, 0, w, h);
    dlk::TFont font = c->Font();
    font.Name = "Verdana";
    font.Height = -11;
    c->SetFont(font);
    c->SetTabStyle(dlk::TKtTabStyle::tsRoundCorners);
    c->SetHotTrack(false);
    c->SetShowFocusRect(false);
    c->SetShowShadow(false);
    c->SetMultiLine(multiLine);
    c->SetFixedDimension(19);
    for (int i = 0; i < count; ++i) {
        auto tab = std::make_unique<dlk::TKtTabData>();
        tab->Caption = count == 5 ? kCaptions[i] : "Tab " + std::to_string(i);
        c->Tabs().Add(std::move(tab));
    }
    c->TabsChanged();
    c->SetTabIndex(0);
    return c;
}

// The whole control painted onto an image: layout once, then every paint
// composes background, tabs and card again.
void PaintStrip(benchmark::State& state, int w, int h, int count, bool multiLine) {
    auto c = Strip(w, h, count, multiLine);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    c->Widget()->render(&image);
    state.counters["rows"] = c->RowCount();
    for (auto _ : state) {
        c->Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_ConfiguratorStrip(benchmark::State& state) {
    PaintStrip(state, 792, 217, 5, false);
}
// The configurator's page control read from its stored window, painted with
// its active page as the window would paint it.
void BM_ConfiguratorPageControl(benchmark::State& state) {
    std::string text = dlk::testing::kConfigWindow;
    const std::string recording = "TRecordingPageControl";
    text.replace(text.find(recording), recording.size(), "TKtPageControl");
    dlk::TForm form(nullptr);
    dlk::ReadComponent(form, text, "config.form");
    form.Show();
    QWidget* pages = dlk::FindRequired<dlk::TKtPageControl>(form, "KtPageControl1")->Widget();
    QImage image(pages->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    pages->render(&image);
    for (auto _ : state) {
        pages->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
void BM_FiftyTabsInRows(benchmark::State& state) {
    PaintStrip(state, 1100, 217, 50, true);
}

// A Qt widget of the configurator's size in the Fusion style and the
// captions' font, painted onto an image again and again.
void PaintInFusion(benchmark::State& state, QWidget& widget) {
    static QStyle* fusion = QStyleFactory::create("Fusion");
    widget.setStyle(fusion);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    widget.setFont(font);
    widget.resize(792, 217);
    QImage image(792, 217, QImage::Format_RGB32);
    image.fill(Qt::white);
    widget.render(&image);
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The same captions on a Qt tab bar of the same size.
void BM_QTabBarFusion(benchmark::State& state) {
    QTabBar bar;
    for (const char* caption : kCaptions) bar.addTab(QString::fromUtf8(caption));
    PaintInFusion(state, bar);
}

// The page control's Qt counterpart: a tab widget with five empty pages.
void BM_QTabWidgetFusion(benchmark::State& state) {
    QTabWidget pages;
    for (const char* caption : kCaptions) pages.addTab(new QWidget, QString::fromUtf8(caption));
    pages.show();
    PaintInFusion(state, pages);
}

}  // namespace

BENCHMARK(BM_ConfiguratorStrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTabBarFusion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConfiguratorPageControl)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTabWidgetFusion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FiftyTabsInRows)->Unit(benchmark::kMicrosecond);
