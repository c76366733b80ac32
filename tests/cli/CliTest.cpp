// The command line against the windows: each command puts the same reports on the wire and
// leaves the same files as the window operation it mirrors. Then what only the command line
// has: exit statuses, questions without a terminal, JSON, a simulated instrument kept in a folder.
#include <QTest>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/Cli.h"
#include "loggers/LoggerTransfers.h"
#include "sim/SimState.h"
#include "support/ProgramFixture.h"
#include "support/SampleLoggers.h"
#include "text/Files.h"

namespace veltra {
namespace {

using Commands = std::vector<std::string>;

void Populate(sim::Simulator& sim) {
    sim.addPlanFromFile(FormatPlanFile(
        "DVBC", {"0,S21,306000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO"}));
    sim.addPlanFromFile(
        FormatPlanFile("UHF", {"0,E21,471250000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO"}));
    sim.tvLoggers()[4] = test::TvLogger("NORTH", 3);
    sim.modemLoggers()[1] = test::ModemLogger("CM");
    sim.modemLoggers()[2] = test::DownLogger("DS");
}

// The command line in this process, on its own simulated instrument.
struct Cli {
    explicit Cli(const test::TempFolder& programFolder) : system(out, err, in) {
        Populate(sim);
        system.programFolder = programFolder.str();
        system.dataFolder = data.str();
        system.backend = &sim;
    }
    int run(const Commands& arguments) { return cli::RunCli(arguments, system); }

    sim::Simulator sim;
    test::TempFolder data;
    std::ostringstream out, err;
    std::istringstream in;
    cli::CliSystem system;
};

class CommandLine : public test::ProgramFixture {
  protected:
    void SetUp() override {
        Populate(sim);
        create();
        sim.clearTraffic();
    }
    // Files of `folder` (relative name -> content).
    static std::map<std::string, std::string> Files(const std::filesystem::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::string content;
            ReadWholeFile(entry.path().string(), content, file_limit::kTextFile);
            files[entry.path().filename().string()] = content;
        }
        return files;
    }
};

TEST_F(CommandLine, EachCommandDoesWhatItsWindowDoes) {
    const std::string plan = folder.write(
        "new.c52", FormatPlanFile("NEW", {"0,N1,700000000,8000000,0,DIGITAL,ON,DVB-C,QAM64,6875,"
                                          "NO GROUP,NO"}));
    const struct {
        Commands cli;
        std::function<void()> window;
    } cases[] = {
        {{"info"}, [&] { form().Timer2Timer(); }},
        {{"plans", "list"}, [&] { QTest::mouseClick(form().ReceiveBut, Qt::LeftButton); }},
        {{"plans", "push", plan},
         [&] {
             prompts.files = {plan};
             QTest::mouseClick(form().LoadBut, Qt::LeftButton);
         }},
        {{"--yes", "plans", "delete", "UHF"},
         [&] {
             QTest::mouseClick(form().ReceiveBut, Qt::LeftButton);
             form().Llista->item(1)->setSelected(true);
             prompts.yesNoAnswers = {true};
             QTest::mouseClick(form().DelSelBut, Qt::LeftButton);
         }},
        {{"plans", "erase-all", "-y"},
         [&] {
             prompts.yesNoAnswers = {true};
             program->channelPlans->EraseAllChannelPlans();
         }},
        {{"loggers", "list"},
         [&] {
             form().LoggerType->setCurrentIndex(1);
             form().ReceiveLogButClick();
         }},
        {{"loggers", "pull", "--kind", "modem"},
         [&] {
             form().LoggerType->setCurrentIndex(0);
             form().ReceiveLogButClick();
             form().SaveLogButClick();
         }},
        {{"send", "*?NS"},
         [&] {
             program->Oculta->Edit1->setText("*?NS");
             program->Oculta->EnvPregButClick();
         }},
    };
    for (const auto& c : cases) {
        const std::string name = c.cli[c.cli.size() > 1 ? 1 : 0];
        // Every case starts from the same instrument on both sides.
        sim.plans().clear();
        Populate(sim);
        sim.clearTraffic();
        c.window();
        Cli cli(folder);
        EXPECT_EQ(cli.run(c.cli), cli::kDone) << name << cli.err.str();
        EXPECT_EQ(cli.sim.commandsSent(), sim.commandsSent()) << name;
        EXPECT_EQ(cli.sim.plans().size(), sim.plans().size()) << name;
        // The same local plan copies and logger files.
        for (const auto& [file, content] : Files(cli.data.path())) {
            if (std::filesystem::is_regular_file(folder.path() / file)) {
                EXPECT_EQ(content, folder.read(file)) << name << " " << file;
            }
        }
        if (std::filesystem::exists(cli.data.path() / "Loggers")) {
            EXPECT_EQ(Files(cli.data.path() / "Loggers"), Files(folder.path() / "Loggers"));
        }
    }
}

TEST_F(CommandLine, ExitStatusesQuestionsAndJson) {
    const struct {
        Commands arguments;
        bool terminal;
        std::string answer;  // typed at the terminal
        int status;
        bool sends;  // anything went to the instrument
    } cases[] = {
        {{"plans", "frobnicate"}, false, "", cli::kUsage, false},
        {{"clock", "set", "--time", "25:00:00/01-01-2026"}, false, "", cli::kUsage, false},
        {{"plans", "delete", "UHF"}, false, "", cli::kUsage, false},  // no --yes, no terminal
        // A missing file is named before any question, and nothing goes out.
        {{"update", "io", "x.hex"}, false, "", cli::kFailed, false},
        {{"plans", "delete", "UHF"}, true, "n\n", cli::kFailed, true},  // declined: read only
        {{"plans", "delete", "NOPE", "-y"}, false, "", cli::kFailed, true},
        {{"loggers", "pull", "33"}, false, "", cli::kFailed, true},
        {{"plans", "push", "missing.c52"}, false, "", cli::kFailed, true},
        {{"update", "io", "x.txt", "-y"}, false, "", cli::kFailed, false},
        {{"loggers", "show", "x.logtv"}, false, "", cli::kFailed, false},
    };
    for (const auto& c : cases) {
        Cli cli(folder);
        cli.system.inputIsTerminal = c.terminal;
        cli.in.str(c.answer);
        EXPECT_EQ(cli.run(c.arguments), c.status) << c.arguments[1];
        EXPECT_EQ(!cli.sim.commandsSent().empty(), c.sends) << c.arguments[1];
        EXPECT_EQ(cli.sim.plans().size(), 2u) << c.arguments[1];
    }
    Cli unplugged(folder);
    unplugged.sim.setPlugged(false);
    EXPECT_EQ(unplugged.run({"plans", "list"}), cli::kNoInstrument);
    EXPECT_EQ(unplugged.err.str(), "veltra52-cli: " + messageText(7) + "\n");

    Cli lists(folder);
    ASSERT_EQ(lists.run({"--json", "plans", "list"}), cli::kDone);
    ASSERT_EQ(lists.run({"loggers", "list", "modem", "--json"}), cli::kDone);
    std::istringstream json(lists.out.str());
    nlohmann::json plans, loggers;
    json >> plans >> loggers;
    EXPECT_EQ(plans[1]["name"], "UHF");
    EXPECT_EQ(plans[1]["channels"], 1);
    EXPECT_EQ(loggers[1]["number"], 2);
    EXPECT_EQ(loggers[1]["name"], "DS");
}

// A simulated instrument of a folder keeps its plans there: plans pulled from one and pushed
// into another without plans come back byte for byte.
TEST_F(CommandLine, PlansTravelBetweenTwoSimulatedInstruments) {
    const std::string a = folder.str() + "A", b = folder.str() + "B";
    std::filesystem::create_directories(a);
    std::filesystem::create_directories(b + "/plans");
    auto run = [&](Commands arguments) {
        Cli cli(folder);
        cli.system.backend = nullptr;
        return cli.run(arguments);
    };
    ASSERT_EQ(run({"--simulate=" + a, "plans", "pull", folder.str() + "X"}), cli::kDone);
    std::vector<std::string> push = {"--simulate=" + b, "plans", "push"};
    for (const auto& [file, content] : Files(folder.path() / "X"))
        push.push_back(folder.str() + "X/" + file);
    ASSERT_EQ(push.size(), 6u);
    ASSERT_EQ(run(push), cli::kDone);
    ASSERT_EQ(run({"--simulate=" + b, "plans", "pull", folder.str() + "Y"}), cli::kDone);
    EXPECT_EQ(Files(folder.path() / "Y"), Files(folder.path() / "X"));
}

}  // namespace
}  // namespace veltra
