// Drawing the TV viewer's graph of a 150-record logger, and of two compared, at 1920 x 1080;
// judging it and drawing it as the viewer does: each must take well under one frame (16 ms).
// Its report as a PDF of three pages: well under a second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "loggers/windows/GraphView.h"
#include "loggers/windows/ReportPages.h"

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

void JudgeAndDraw(benchmark::State& state) {
    const TvLogger tv = Logger(0);
    const LimitSet& limits = BuiltInLimitSets().front();
    GraphView view;
    QImage image(QSize(1920, 1080), QImage::Format_RGB32);
    for (auto _ : state) {
        const LoggerVerdict verdict = JudgeTvLogger(tv, limits);
        auto channels = TvGraphChannels(tv);
        MarkFailures(channels, verdict);
        view.setChannels(channels, {}, GraphLimits(limits, kShowTv), 45.0);
        QPainter painter(&image);
        view.paintGraph(painter, image.size());
    }
}
BENCHMARK(JudgeAndDraw)->Unit(benchmark::kMillisecond);

void ReportPdf(benchmark::State& state) {
    const TvLogger tv = Logger(0);
    const LanguageTable texts;
    const LimitSet& limits = BuiltInLimitSets().front();
    for (auto _ : state) {
        const LoggerVerdict verdict = JudgeTvLogger(tv, limits);
        LoggerReport report = ReportOf("TV logger", "NORTH", "DOCSI", "02/12/2026", "09:12:44",
                                       {"A. Técnico", "Site", "WO-1", ""}, {"VELTRA-52", "VT1"},
                                       verdict, limits, texts, LevelUnit::dBuV);
        const VerdictColumn column = VerdictTexts(verdict, VerdictWordsIn(texts), LevelUnit::dBuV);
        ReportTable table{"",
                          {"No", "CH", "FREQ", "BW", "OFFS", "TYPE", "PWR", "SYSTEM", "MOD", "SR",
                           "MER", "BER", "Verdict"},
                          {},
                          {}};
        for (std::size_t k = 0; k < tv.records.size(); ++k) {
            std::vector<std::string> row(tv.records[k].begin(), tv.records[k].end());
            row.push_back(column.rows[k]);
            table.rows.push_back(row);
            table.fails.push_back(!verdict.channels[k].pass());
        }
        report.tables.push_back(table);
        GraphView view;
        view.setChannels(TvGraphChannels(tv), {}, GraphLimits(limits, kShowTv), 45.0);
        QImage graph(QSize(1533, 570), QImage::Format_RGB32);
        QPainter painter(&graph);
        painter.scale(3, 3);
        view.paintGraph(painter, QSize(511, 190));
        painter.end();
        benchmark::DoNotOptimize(ReportPages(report, {graph}, texts).pdf());
    }
}
BENCHMARK(ReportPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
