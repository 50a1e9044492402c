// One full paint of a graph of 50 curves of 500 points into a 1600 x 1000 bitmap.

#include "gui/plots/PlotRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void BM_PaintPlot(benchmark::State& state) {
    dorvek::TGraphPlot plot;
    plot.XCaption = "Axial Load";
    plot.XUnits = "F1";
    plot.YCaption = "Depth";
    plot.YUnits = "L2";
    plot.LimitActive = false;
    plot.List(dorvek::TLineKind::Main).SetLineCount(50);
    plot.List(dorvek::TLineKind::Main).SetCount(500);
    for (int i = 0; i < 50; ++i)
        for (int j = 0; j < 500; ++j)
            plot.List(dorvek::TLineKind::Main).Point(i, j) = {(i + 1) * std::sin(j / 80.0L) + i,
                                                              j * 0.1L};
    const auto view = dorvek::FullExtent(plot);
    QImage image(1600, 1000, QImage::Format_RGB32);
    const dorvek::TPlotTarget target{image.rect(), 96, 96, dorvek::TPlotTarget::Picture, {}};
    for (auto _ : state) {
        QPainter painter(&image);
        dorvek::PaintPlot(painter, plot, *view, target);
    }
}
BENCHMARK(BM_PaintPlot)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
