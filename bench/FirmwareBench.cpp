// The IO interface update: reading and checking a 128 KiB HEX file, and the whole update
// against the simulator with zero latency and the 4-second wait left out, beside the USB floor
// of the same work (one report per millisecond).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

#include "firmware/FirmwareFiles.h"
#include "firmware/FirmwareUpdates.h"
#include "sim/Simulator.h"

namespace {

using namespace veltra;

std::string HexFile(std::size_t size) {
    std::mt19937 random(7);
    std::string text;
    std::uint32_t extension = 0;
    for (std::size_t offset = 0; offset < size; offset += 32) {
        const std::uint32_t address = 0x1000 + static_cast<std::uint32_t>(offset);
        if ((address >> 16) != extension) {
            extension = address >> 16;
            char line[32];
            std::snprintf(
                line, sizeof line, ":02000004%04X%02X\n", extension,
                (0x100 - ((2 + 4 + (extension >> 8) + (extension & 0xFF)) & 0xFF)) & 0xFF);
            text += line;
        }
        unsigned sum = 32 + ((address >> 8) & 0xFF) + (address & 0xFF);
        char head[16];
        std::snprintf(head, sizeof head, ":20%04X00", address & 0xFFFF);
        text += head;
        for (int i = 0; i < 32; ++i) {
            const unsigned byte = random() & 0xFF;
            sum += byte;
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02X", byte);
            text += pair;
        }
        char tail[8];
        std::snprintf(tail, sizeof tail, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text += tail;
    }
    return text + ":00000001FF\n";
}

const std::string& File128K() {
    static const std::string file = HexFile(128 * 1024 - 0x1000 - 64);
    return file;
}

void ReadAndCheckHex(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProvaCheckSum(File128K()));
        benchmark::DoNotOptimize(LoadHexImage(File128K()));
    }
}
BENCHMARK(ReadAndCheckHex)->Unit(benchmark::kMillisecond);

class Silent : public UserPrompts {
  public:
    void showMessage(int, const std::string&, const std::string&, MessageIcon) override {}
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    YesNoCancel askYesNoCancel(const std::string&, const std::string&) override {
        return YesNoCancel::Yes;
    }
    std::optional<std::string> chooseOpenFile(FileDialogState&) override { return std::nullopt; }
    std::vector<std::string> chooseOpenFiles(FileDialogState&) override { return {}; }
    std::optional<std::string> chooseSaveFile(FileDialogState&) override { return std::nullopt; }
    void processEvents() override {}
    void beginWait() override {}
    void endWait() override {}
};

class NoProgress : public Progress {
  public:
    void prepare(const std::string&, const std::string&, const std::string&, int m) override {
        max_ = m;
    }
    void setStatus(const std::string&) override {}
    void setWarning(const std::string&) override {}
    void setMaximum(int m) override { max_ = m; }
    void setPosition(int p) override { pos_ = p; }
    int position() const override { return pos_; }
    int maximum() const override { return max_; }
    void setBarVisible(bool) override {}
    void finish() override {}

  private:
    int pos_ = 0, max_ = 0;
};

class Yes : public UpdateConfirmation {
  public:
    bool confirm(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
};

void WholeIOUpdate(benchmark::State& state) {
    const std::string path = "/tmp/veltra52-bench-io.hex";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(File128K().data(), 1, File128K().size(), f);
        std::fclose(f);
    }
    int reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim::Simulator sim;
        Silent prompts;
        LanguageTable texts;
        NoProgress progress;
        Yes yes;
        DeviceBusy busy;
        Link link(sim);
        FirmwareUpdates updates(link, prompts, texts, progress, yes, busy, [](int) {});
        state.ResumeTiming();
        updates.UpdateIOInterface([&] { return std::optional(path); }, "");
        state.PauseTiming();
        reports = static_cast<int>(sim.traffic().size());
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.counters["reports"] = reports;
    state.counters["usb_floor_ms"] = reports;  // one 65-byte report per millisecond
}
BENCHMARK(WholeIOUpdate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
