// The schedule chart as the page draws it on every mouse move of a drag: the
// whole week, 127 points, text included, on the 790 x 129 off-screen surface,
// against the same scene drawn by QPainter on a QImage of that size.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <map>
#include <string>

#include "config/app/dib_chart_surface.h"
#include "config/core/schedule_scene.h"
#include "drawing/dib_surface.h"

namespace dlk::config {
namespace {

constexpr int kWidth = 790;
constexpr int kHeight = 129;

QColor Colour(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The scene through QPainter: its own lines, fills and text, and the markers
// as two raster-op blits (AND the mask, OR the picture). RGB32 is QPainter's
// fastest target, so the reference gets its best case.
class PainterChartSurface final : public ChartSurface {
public:
    PainterChartSurface() : image_(kWidth, kHeight, QImage::Format_RGB32), painter_(&image_) {
        day_font_ = QFont("MS Sans Serif");
        day_font_.setPointSize(8);
        hour_font_ = QFont("Arial");
        hour_font_.setPointSize(7);
    }

    int Width() const override { return kWidth; }
    int Height() const override { return kHeight; }
    void Clear(std::uint32_t color) override { painter_.fillRect(image_.rect(), Colour(color)); }
    void FillRect(const DibRect& r, std::uint32_t color) override {
        painter_.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), Colour(color));
    }
    void SetPenColor(std::uint32_t color) override {
        pen_.setColor(Colour(color));
        painter_.setPen(pen_);
    }
    void SetLineStyle(std::uint32_t pattern) override {
        pen_.setStyle(pattern == 0xFFFFFFFF ? Qt::SolidLine : Qt::DotLine);
        painter_.setPen(pen_);
    }
    void MoveTo(int x, int y) override { at_ = QPoint(x, y); }
    void LineTo(int x, int y) override {
        painter_.drawLine(at_, QPoint(x, y));
        at_ = QPoint(x, y);
    }
    int TextWidth(ChartFont font, std::string_view utf8) override {
        return QFontMetrics(Font(font)).horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    }
    void TextOut(ChartFont font, std::uint32_t color, int x, int y, std::string_view utf8) override {
        painter_.setFont(Font(font));
        painter_.setPen(Colour(color));
        const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        painter_.drawText(QRect(x, y, kWidth, kHeight), Qt::AlignLeft | Qt::AlignTop, text);
        painter_.setPen(pen_);
    }
    void DrawMarker(int x, int y, const MarkerImage& mask, const MarkerImage& image) override {
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter_.drawImage(x, y, Picture(mask));
        painter_.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        painter_.drawImage(x, y, Picture(image));
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    const QImage& Image() const { return image_; }

private:
    const QFont& Font(ChartFont font) const { return font == ChartFont::DayName ? day_font_ : hour_font_; }
    // Made once per marker, as a program using QPainter would keep them.
    const QImage& Picture(const MarkerImage& marker) {
        QImage& picture = pictures_[&marker];
        if (picture.isNull()) {
            picture = QImage(kMarkerSide, kMarkerSide, QImage::Format_RGB32);
            for (int k = 0; k < kMarkerSide * kMarkerSide; ++k)
                picture.setPixelColor(k % kMarkerSide, k / kMarkerSide, Colour(marker[std::size_t(k)]));
        }
        return picture;
    }

    QImage image_;
    QPainter painter_;
    QPen pen_{Qt::black, 0};
    QPoint at_;
    QFont day_font_, hour_font_;
    std::map<const MarkerImage*, QImage> pictures_;
};

ScheduleTable FullWeek() {
    ScheduleTable table;
    for (int i = 0; i < kMaxSchedulePoints; ++i) table.AddPoint(static_cast<std::uint16_t>(i * 79), i % 2 == 0);
    return table;
}

// Draw_Scene's own way: the 24-bit surface and its canvas.
struct DibSurfaceScene {
    TDibSurface dib{kWidth, kHeight, DibFormat::Rgb24};
    DibChartSurface surface{dib};

    ChartSurface& Surface() { return surface; }
    const void* Pixels() { return dib.Raster().Memory(); }
};

struct QPainterScene {
    PainterChartSurface surface;

    ChartSurface& Surface() { return surface; }
    const void* Pixels() { return surface.Image().constBits(); }
};

template <typename Scene>
void BM_Scene(benchmark::State& state) {
    Scene scene;
    const ScheduleTable table = FullWeek();
    const ScheduleView view{kWidth, static_cast<std::uint8_t>(state.range(0)), 0};
    for (auto _ : state) {
        DrawScheduleScene(scene.Surface(), table, view, {true, true});
        benchmark::DoNotOptimize(scene.Pixels());
    }
}
BENCHMARK_TEMPLATE(BM_Scene, DibSurfaceScene)->ArgName("zoom")->Arg(1)->Arg(128)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Scene, QPainterScene)->ArgName("zoom")->Arg(1)->Arg(128)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dlk::config
