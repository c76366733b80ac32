// Drawing the TV viewer's graph of a 150-record logger, and of two compared, at 1920 x 1080:
// each must take well under one frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "loggers/windows/GraphView.h"

namespace {

using namespace veltra;

TvLogger Logger(double shift) {
    TvLogger tv;
    for (int k = 0; k < 150; ++k) {
        const bool digital = k >= 20;
        tv.records.push_back({std::to_string(k + 1), "C" + std::to_string(k),
                              std::to_string(47 + 6.5 * k).substr(0, 6), "8.00", "0.00",
                              digital ? "DIGITAL" : "ANALOG",
                              std::to_string(55 + (k % 17) - shift).substr(0, 4), "DVB-C", "QAM256",
                              "6952", std::to_string(30 + k % 11), ""});
    }
    return tv;
}

void Draw(benchmark::State& state, bool compared) {
    GraphView view;
    view.setChannels(TvGraphChannels(Logger(0)),
                     compared ? TvGraphChannels(Logger(2.5)) : std::vector<GraphChannel>{},
                     Limits{}, 45.0);
    QImage image(QSize(1920, 1080), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        view.paintGraph(painter, image.size());
    }
}

void TvGraph(benchmark::State& state) {
    Draw(state, false);
}
BENCHMARK(TvGraph)->Unit(benchmark::kMillisecond);

void TvComparison(benchmark::State& state) {
    Draw(state, true);
}
BENCHMARK(TvComparison)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
