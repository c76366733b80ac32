// Every device operation, with every kind of fault at every report it writes: a pulled plug, a
// lost answer, an answer of zeros, noise, another command's echo. Whatever the cable does, the
// operation returns, says so when the outcome is not the one a clean run gives, and leaves every
// file the old one or a complete new one.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>

#include "channelplans/ChannelPlanTransfers.h"
#include "face/Messages.h"
#include "firmware/FirmwareUpdates.h"
#include "instrument/Clock.h"
#include "loggers/LoggerTransfers.h"
#include "sim/Simulator.h"
#include "support/OperationRig.h"
#include "support/SampleLoggers.h"
#include "support/ScriptedProgress.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

using Fault = sim::Simulator::Fault;
constexpr Fault kFaults[] = {Fault::Unplug,      Fault::NoAnswer,  Fault::Zeros,
                             Fault::RandomBytes, Fault::WrongEcho, Fault::GarbledValue};

std::string PlanText(const std::string& name, int count, long long firstHz) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(std::to_string(i) + ",C" + std::to_string(i) + "," +
                        std::to_string(firstHz + 8000000LL * i) +
                        ",8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO");
    return FormatPlanFile(name, lines);
}

class AlwaysYes : public UpdateConfirmation {
  public:
    bool confirm(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
};

// One instrument with plans and loggers, and the program's operations on it.
struct Rig : test::OperationRig {
    Rig() {
        std::filesystem::create_directory(folder.path() / "Loggers");
        transfers.setCopiesFolder(folder.str());
        sim.addPlanFromFile(PlanText("A", 2, 100000000));
        sim.addPlanFromFile(PlanText("B", 1, 300000000));
        sim.addPlanFromFile(PlanText("C", 3, 500000000));
        sim.tvLoggers()[3] = test::TvLogger("NORTH", 2);
        sim.modemLoggers()[0] = test::ModemLogger("CM");
        sim.modemLoggers()[1] = test::DownLogger("DS");
    }

    bool said(int code) const {
        const std::string text = msg(code);
        for (const auto& m : prompts.messages)
            if (m.text == text) return true;
        return false;
    }

    test::RecordedProgress progress;
    PlanIndex list;
    ChannelPlanTransfers transfers{link, prompts, texts, progress, list, busy};
    LoggerTransfers loggers{link, prompts, texts, busy, folder.str() + "Loggers/"};
    AlwaysYes confirmation;
    FirmwareUpdates updates{link, prompts, texts, progress, confirmation, busy, [](int) {}};
    FileDialogState dialog;
    std::string commandLineFile;
    int shown = 0;  // the viewer a fetch asks for
};

// What the person was told: true when the operation said it succeeded.
struct Operation {
    const char* name;
    std::function<void(Rig&)> prepare;  // runs before the fault is armed
    std::function<void(Rig&)> run;
    std::function<bool(const Rig&)> succeeded;
};

bool Finished(const Rig& rig) {
    return rig.prompts.messages.empty() && rig.progress.status == "T55";
}

void ReadPlans(Rig& rig) {
    rig.transfers.ReadChannelPlans();
}

std::vector<Operation> Operations() {
    auto noPrepare = [](Rig&) {};
    return {
        {"read plans", noPrepare, ReadPlans, Finished},
        {"send a file",
         [](Rig& rig) {
             ReadPlans(rig);
             rig.prompts.files = {rig.folder.write("new.c52", PlanText("NEW", 3, 700000000))};
         },
         [](Rig& rig) {
             rig.transfers.SendPlanFiles(
                 [&rig] { return rig.prompts.chooseOpenFiles(rig.dialog); });
         },
         Finished},
        {"delete",
         [](Rig& rig) {
             ReadPlans(rig);
             rig.list.setSelected(1, true);
             rig.prompts.yesNoAnswers = {true};
         },
         [](Rig& rig) { rig.transfers.DeleteSelectedPlans(); }, Finished},
        {"erase all", [](Rig& rig) { rig.prompts.yesNoAnswers = {true}; },
         [](Rig& rig) { rig.transfers.EraseAllChannelPlans(); },
         [](const Rig& rig) { return rig.prompts.messages.empty(); }},
        {"TV logger list", noPrepare,
         [](Rig& rig) { rig.shown = rig.loggers.ReceiveLoggerList(LoggerList::Tv) ? 1 : 0; },
         [](const Rig& rig) { return rig.shown == 1; }},
        {"modem logger list", noPrepare,
         [](Rig& rig) { rig.shown = rig.loggers.ReceiveLoggerList(LoggerList::Modem) ? 1 : 0; },
         [](const Rig& rig) { return rig.shown == 1; }},
        {"TV logger fetch", [](Rig& rig) { rig.loggers.ReceiveLoggerList(LoggerList::Tv); },
         [](Rig& rig) {
             rig.shown = rig.loggers.FetchListedLogger(LoggerList::Tv, 0).value_or(kShowNothing);
         },
         [](const Rig& rig) { return rig.shown == kShowTv; }},
        {"modem logger fetch", [](Rig& rig) { rig.loggers.ReceiveLoggerList(LoggerList::Modem); },
         [](Rig& rig) {
             rig.shown = rig.loggers.FetchListedLogger(LoggerList::Modem, 0).value_or(kShowNothing);
         },
         [](const Rig& rig) { return rig.shown == kShowModem; }},
        {"downstream logger fetch",
         [](Rig& rig) { rig.loggers.ReceiveLoggerList(LoggerList::Modem); },
         [](Rig& rig) {
             rig.shown = rig.loggers.FetchListedLogger(LoggerList::Modem, 1).value_or(kShowNothing);
         },
         [](const Rig& rig) { return rig.shown == kShowDown; }},
        {"save all loggers", [](Rig& rig) { rig.loggers.ReceiveLoggerList(LoggerList::Modem); },
         [](Rig& rig) { rig.loggers.SaveAllLoggers(LoggerList::Modem); },
         [](const Rig& rig) {
             return rig.prompts.messages.size() == 1 && rig.prompts.messages[0].caption == "T151";
         }},
        {"IO interface update",
         [](Rig& rig) {
             rig.commandLineFile = rig.folder.write(
                 "io.hex", ":10100000000102030405060708090A0B0C0D0E0F68\n:00000001FF\n");
         },
         [](Rig& rig) {
             rig.updates.UpdateIOInterface([&rig] { return std::optional(rig.commandLineFile); },
                                           "");
         },
         Finished},
        {"instrument update",
         [](Rig& rig) {
             rig.prompts.files = {
                 rig.folder.write("vt.p52",
                                  "S00F000068656C6C6F202020202000003C\n"
                                  "S1130000285F245F2212226A000424290008237C2A\n"
                                  "S1130010285F245F2212226A000424290008237C1A\nS9030000FC")};
         },
         [](Rig& rig) {
             rig.updates.UpdateInstrument([&rig] { return rig.prompts.chooseOpenFile(rig.dialog); },
                                          "");
         },
         Finished},
        {"clock", noPrepare,
         [](Rig& rig) {
             std::tm when{};
             when.tm_year = 2026 - 1900;
             when.tm_mday = 8;
             SetInstrumentClock(
                 rig.link, rig.busy, rig.prompts,
                 [&rig](int code) { ShowMessageCode(rig.prompts, rig.texts, code); },
                 rig.sim.identity().serial, when);
         },
         [](const Rig& rig) { return rig.prompts.messages.empty(); }},
        {"terminal query", noPrepare,
         [](Rig& rig) {
             rig.link.FindIOInterface();
             rig.link.SendQuery("*?VE");
         },
         nullptr},
    };
}

// What an operation leaves behind: the instrument, the files and what the program holds.
std::string Outcome(const Rig& rig) {
    std::string text;
    for (const auto& plan : rig.sim.plans()) {
        text += plan.name + ":";
        for (const auto& channel : plan.channels)
            text += sim::Simulator::ChannelWireText(channel) + ";";
        text += "\n";
    }
    text += std::to_string(
        std::hash<std::string>{}(std::string(rig.sim.ioImage().begin(), rig.sim.ioImage().end())));
    text += rig.sim.inLoader() ? " loader\n" : "\n";
    for (const auto& record : rig.sim.receivedRecords())
        text += record + "\n";
    for (const auto& item : rig.list.names())
        text += "list " + item + "\n";
    for (const auto& row : rig.loggers.index().rows())
        text += row.name + "," + row.time + "," + row.date + "," + std::to_string(row.marked) + ",";
    std::string tv;
    TvLoggerFileText(rig.loggers.records.tv, tv);
    return text + "\n" + tv + DownLoggerFileText(rig.loggers.records.down) +
           ModemLoggerFileText(rig.loggers.records.modem);
}

std::map<std::string, std::string> Files(const Rig& rig) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(rig.folder.path())) {
        if (!entry.is_regular_file()) continue;
        const std::string relative =
            std::filesystem::relative(entry.path(), rig.folder.path()).string();
        files[relative] = rig.folder.read(relative);
    }
    return files;
}

void PrintTo(const Operation& op, std::ostream* out) {
    *out << op.name;
}

class FaultSweep : public ::testing::TestWithParam<Operation> {};

TEST_P(FaultSweep, SurvivesEveryFaultAtEveryReport) {
    int cases = 0;
    const Operation& op = GetParam();
    // The clean run: its reports, its outcome and its files.
    Rig clean;
    op.prepare(clean);
    const auto before = Files(clean);
    const int first = clean.sim.reportsWritten();
    clean.prompts.messages.clear();
    op.run(clean);
    const int reports = clean.sim.reportsWritten() - first;
    ASSERT_GT(reports, 0) << op.name;
    if (op.succeeded) {
        ASSERT_TRUE(op.succeeded(clean)) << op.name;
    }
    const std::string cleanOutcome = Outcome(clean);
    const auto after = Files(clean);

    for (int n = 1; n <= reports; ++n) {
        for (const Fault fault : kFaults) {
            ++cases;
            const std::string where = std::string(op.name) + ", report " + std::to_string(n) +
                                      ", fault " + std::to_string(static_cast<int>(fault));
            Rig rig;
            op.prepare(rig);
            rig.prompts.messages.clear();
            rig.sim.faultAtReport(n, fault);
            op.run(rig);

            EXPECT_FALSE(rig.busy.busy()) << where;
            EXPECT_EQ(rig.prompts.waitDepth, 0) << where;
            if (rig.progress.prepared > 0) {
                EXPECT_TRUE(rig.progress.finished) << where;
            }
            // Every file is the old one or the complete new one, and nothing half-written
            // is left beside them.
            for (const auto& [name, content] : Files(rig)) {
                EXPECT_EQ(name.find(".part"), std::string::npos) << where << ": " << name;
                // A delete cut off after its note was written: the note is whole, and
                // finishing it gives the instrument the clean run's plans.
                if (name == "plans-to-send-back.txt") {
                    EXPECT_TRUE(ReadWriteBackNote(content)) << where;
                    Rig again;
                    again.folder.write(name, content);
                    again.sim.plans().clear();
                    again.prompts.yesNoAnswers = {true};
                    again.transfers.FinishWriteBack();
                    EXPECT_EQ(again.sim.plans().size(), clean.sim.plans().size()) << where;
                    EXPECT_FALSE(again.transfers.PendingWriteBack()) << where;
                    continue;
                }
                const auto old = before.find(name);
                const auto made = after.find(name);
                // A garbled plan name is listed escaped, and its plan is copied under it.
                const bool garbledName =
                    EndsWith(name, ".temp") &&
                    PlanFileReader(content).name().find("\\x") != std::string::npos;
                const bool known = (old != before.end() && old->second == content) ||
                                   (made != after.end() && made->second == content) || garbledName;
                EXPECT_TRUE(known) << where << ": " << name;
            }
            if (!op.succeeded) continue;  // the terminal shows whatever came back
            const bool succeeded = op.succeeded(rig);
            const bool changed = Outcome(rig) != cleanOutcome;

            // Exceptions the instrument's protocols accept. A lost acknowledgement of a firmware
            // record makes the record go twice.
            if (std::string(op.name) == "instrument update" && succeeded && changed) {
                auto records = rig.sim.receivedRecords();
                const auto twice = std::adjacent_find(records.begin(), records.end());
                ASSERT_NE(twice, records.end()) << where;
                records.erase(twice);
                EXPECT_EQ(records, clean.sim.receivedRecords()) << where;
                continue;
            }
            if (changed) {
                EXPECT_FALSE(succeeded) << where;
            }
        }
    }
    std::cout << GetParam().name << ": " << cases << " cases\n";
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, FaultSweep, ::testing::ValuesIn(Operations()),
                         [](const ::testing::TestParamInfo<Operation>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace veltra
