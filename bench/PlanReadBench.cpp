// Reading ten plans of 150 channels from the simulator, with the real progress window and the
// real event processing, beside the bare simulator round trip for the same number of exchanges.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "channelplans/ChannelPlanTransfers.h"
#include "firmware/windows/TUpdatingFORM.h"
#include "shell/windows/QtUserPrompts.h"
#include "sim/Simulator.h"

namespace {

using namespace veltra;

void FillInstrument(sim::Simulator& sim) {
    for (int p = 0; p < 10; ++p) {
        std::vector<std::string> lines;
        for (int i = 0; i < 150; ++i) {
            lines.push_back(std::to_string(i) + ",C" + std::to_string(i) + "," +
                            std::to_string(50000000LL + 6000000LL * i) +
                            ",8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO");
        }
        sim.addPlanFromFile(FormatPlanFile("P" + std::to_string(p), lines));
    }
}

// Exchanges of one read pass: *?PN, 10 x *?CU for the total, then per plan *?CS, 2 x *?CU and
// 150 x *?CF.
constexpr int kExchangesPerPass = 1 + 10 + 10 * (3 + 150);

void ReadTenPlans(benchmark::State& state) {
    sim::Simulator sim;
    FillInstrument(sim);
    QtUserPrompts prompts;
    LanguageTable texts;
    TUpdatingFORM progress;
    PlanIndex list;
    DeviceBusy busy;
    Link link(sim);
    link.FindIOInterface();
    ChannelPlanTransfers transfers(link, prompts, texts, progress, list, busy);
    const std::string folder = "/tmp/veltra52-bench-plans";
    std::system(("mkdir -p " + folder).c_str());
    transfers.setCopiesFolder(folder);
    for (auto _ : state) {
        transfers.SaveChannelPlans();
        sim.clearTraffic();
    }
    state.counters["per_exchange_us"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kExchangesPerPass,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    std::system(("rm -rf " + folder).c_str());
}
BENCHMARK(ReadTenPlans)->Unit(benchmark::kMillisecond);

void BareRoundTrips(benchmark::State& state) {
    sim::Simulator sim;
    FillInstrument(sim);
    auto device = sim.open(sim.enumerate().front());
    const Report query = BuildCommandReport(kQueryCode, "*?CF03012");
    Report answer{};
    for (auto _ : state) {
        for (int i = 0; i < kExchangesPerPass; ++i) {
            device->write(query);
            device->read(answer, 0);
        }
        sim.clearTraffic();
    }
    state.counters["per_exchange_us"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kExchangesPerPass,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BareRoundTrips)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
