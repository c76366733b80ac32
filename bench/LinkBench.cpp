// The program's own cost of one command exchange and one device search, each beside the
// simulator's bare write-and-read round trip measured in the same run. With real hardware one
// exchange costs about 2 ms of USB frames; the program's share must stay a small fraction.
#include <benchmark/benchmark.h>

#include "link/Link.h"
#include "sim/Simulator.h"

namespace {

using veltra::BuildCommandReport;
using veltra::kQueryCode;
using veltra::Link;
using veltra::Report;
using veltra::sim::Simulator;

void SimulatorRoundTrip(benchmark::State& state) {
    Simulator sim;
    auto device = sim.open(sim.enumerate().front());
    const Report query = BuildCommandReport(kQueryCode, "*?NS");
    Report answer{};
    for (auto _ : state) {
        device->write(query);
        device->read(answer, 0);
        benchmark::DoNotOptimize(answer);
        sim.clearTraffic();
    }
}
BENCHMARK(SimulatorRoundTrip);

void SendQuery(benchmark::State& state) {
    Simulator sim;
    Link link(sim);
    link.FindIOInterface();
    for (auto _ : state) {
        benchmark::DoNotOptimize(link.SendQuery("*?NS"));
        sim.clearTraffic();
    }
}
BENCHMARK(SendQuery);

void SimulatorEnumerateAndOpen(benchmark::State& state) {
    Simulator sim;
    sim.addOtherDevice("Keyboard");
    for (auto _ : state) {
        for (const std::string& path : sim.enumerate()) {
            auto device = sim.open(path);
            benchmark::DoNotOptimize(device->productString(50));
        }
    }
}
BENCHMARK(SimulatorEnumerateAndOpen);

void FindIOInterface(benchmark::State& state) {
    Simulator sim;
    sim.addOtherDevice("Keyboard");
    Link link(sim);
    for (auto _ : state)
        benchmark::DoNotOptimize(link.FindIOInterface());
}
BENCHMARK(FindIOInterface);

}  // namespace

BENCHMARK_MAIN();
