// The command line against the windows: each command puts the same reports on the wire and
// leaves the same files as the window operation it mirrors. Then what only the command line
// has: exit statuses, questions without a terminal, JSON, a simulated instrument kept in a folder.
#include <QTest>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/Cli.h"
#include "language/TextKeys.h"
#include "loggers/LimitSets.h"
#include "loggers/LoggerTransfers.h"
#include "loggers/Verdicts.h"
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
    // A logger asked for by number from an empty list is missing too.
    Cli empty(folder);
    empty.sim.tvLoggers()[4].reset();
    EXPECT_EQ(empty.run({"loggers", "pull", "4"}), cli::kFailed);
    EXPECT_NE(empty.err.str().find("no tv logger 4"), std::string::npos) << empty.err.str();

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
    EXPECT_EQ(loggers[1]["row"], 1);  // as the windows' index numbers it

    // A pull names the files it wrote; a logger file shows as JSON.
    Cli pull(folder);
    ASSERT_EQ(pull.run({"loggers", "pull", "4", pull.data.str() + "out"}), cli::kDone);
    EXPECT_EQ(pull.out.str(), pull.data.str() + "out/NORTH.logtv\n");
    ASSERT_EQ(pull.run({"--json", "loggers", "show", pull.data.str() + "out/NORTH.logtv"}),
              cli::kDone);
    const auto shown = nlohmann::json::parse(pull.out.str().substr(pull.out.str().find('{')));
    EXPECT_EQ(shown["header"]["TV logger"], "NORTH");
    EXPECT_EQ(shown["tables"][0].size(), 3u);
}

// What the command line says of its own comes from the language of config.txt: under a language
// whose texts are "K<N>", each of its lines is one of them.
TEST_F(CommandLine, SaysItsOwnWordsInTheProgramsLanguage) {
    std::string probe;
    for (int key = 0; key < kLanguageTextCount; ++key)
        probe += "x," + std::to_string(key) + "=K" + std::to_string(key) + " %1 %2\n";
    folder.write("Languages/Probe.lng", probe);
    const struct {
        Commands arguments;
        bool terminal;
        std::vector<int> said;
    } cases[] = {
        {{"plans", "frobnicate"}, false, {text::kSubcommandUnknown}},
        {{"plans", "lst"}, false, {text::kSubcommandUnknown, text::kDidYouMean}},
        {{"loggers", "show"}, false, {text::kCliRequired}},
        {{"info", "extra"}, false, {text::kCliNotExpected}},
        {{"clock", "set", "--time", "12:00:00/31-02-2026"}, false, {text::kBadTime}},
        {{"plans", "delete", "UHF"}, false, {text::kConfirmWithYes}},
        {{"plans", "delete", "UHF"}, true, {text::kPlansToDelete, text::kAnsweredNo}},
        {{"plans", "delete", "NOPE", "-y"}, false, {text::kNoPlanNamed}},
        {{"loggers", "pull", "33"}, false, {text::kNoLoggerNumbered}},
        {{"loggers", "pull", "x", "y"}, false, {text::kNotLoggerNumber}},
    };
    for (const auto& c : cases) {
        Cli cli(folder);
        cli.data.write("config.txt", "Probe");
        cli.system.inputIsTerminal = c.terminal;
        cli.in.str("n\n");
        cli.run(c.arguments);
        const std::string err = cli.err.str();
        for (const int key : c.said)
            EXPECT_NE(err.find("veltra52-cli: K" + std::to_string(key) + " "), std::string::npos)
                << c.arguments[1] << ": " << err;
        for (std::size_t at = err.find("veltra52-cli: "); at != std::string::npos;
             at = err.find("veltra52-cli: ", at + 1))
            EXPECT_EQ(err.substr(at + 14, 1), "K") << c.arguments[1] << ": " << err;
    }
}

// The exit status follows the number of the message shown, not its words: in a language whose
// texts all read alike, the erase warning of an update is no failure, and a refusal is one.
TEST_F(CommandLine, ExitStatusFollowsTheMessageNumberNotItsWords) {
    std::string alike;
    for (int key = 1; key < kLanguageTextCount; ++key)
        alike += "Text," + std::to_string(key) + "=Same words\r\n";
    folder.write("Languages/Alike.lng", alike);
    const std::string hex =
        folder.write("io.hex", ":10100000000102030405060708090A0B0C0D0E0F68\r\n:00000001FF\r\n");
    const struct {
        Commands arguments;
        int status;
    } cases[] = {
        {{"--yes", "update", "io", hex}, cli::kDone},
        {{"plans", "push", "missing.c52"}, cli::kFailed},
    };
    for (const auto& c : cases) {
        Cli cli(folder);
        cli.data.write("config.txt", "Alike");
        EXPECT_EQ(cli.run(c.arguments), c.status) << c.arguments[1];
        EXPECT_NE(cli.err.str().find("Same words"), std::string::npos) << cli.err.str();
    }
    // A language without its file: message 4 names the file, the rest is English.
    Cli cli(folder);
    cli.data.write("config.txt", "Klingon");
    EXPECT_EQ(cli.run({"info"}), cli::kDone);
    EXPECT_EQ(cli.err.str(), "veltra52-cli: The language file could not be loaded: 4\n" +
                                 folder.str() + "Languages/Klingon.lng\n");
    EXPECT_NE(cli.out.str().find("Serial"), std::string::npos) << cli.out.str();
}

// What a script asked for is what it gets: only the named loggers, a file for every plan, a
// failure when the output, the trace or the instrument's folder could not take it all.
TEST_F(CommandLine, WhatIsAskedIsWhatIsWrittenAndEveryLossIsAFailure) {
    {
        Cli cli(folder);
        cli.sim.tvLoggers()[0] = test::TvLogger("TAP-17", 2);
        cli.sim.tvLoggers()[7] = test::TvLogger("RIVERSIDE", 2);
        const std::string into = cli.data.str() + "L";
        ASSERT_EQ(cli.run({"loggers", "pull", "4", into}), cli::kDone) << cli.err.str();
        EXPECT_EQ(Files(into).size(), 1u);
        EXPECT_EQ(Files(into).count("NORTH.logtv"), 1u);
    }
    {
        Cli cli(folder);
        for (const char* name : {"SAME", "SAME", "X/Y", "X_Y"})
            cli.sim.addPlanFromFile(FormatPlanFile(name, {}));
        const std::string into = cli.data.str() + "P";
        ASSERT_EQ(cli.run({"plans", "pull", into}), cli::kDone) << cli.err.str();
        std::vector<std::string> names;
        for (const auto& [name, content] : Files(into))
            names.push_back(name);
        EXPECT_EQ(names, (std::vector<std::string>{"DVBC.c52", "SAME (2).c52", "SAME.c52",
                                                   "UHF.c52", "X_Y (2).c52", "X_Y.c52"}));
        const std::string printed = cli.out.str();
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 6);
    }
    {
        // An output that cannot be written, a trace on a full disk, a FIFO nobody reads.
        Cli cli(folder);
        cli.out.setstate(std::ios::badbit);
        EXPECT_EQ(cli.run({"plans", "list"}), cli::kFailed);
        EXPECT_NE(cli.err.str().find("output"), std::string::npos);
        Cli full(folder);
        EXPECT_EQ(full.run({"--trace=/dev/full", "info"}), cli::kFailed);
        EXPECT_NE(full.err.str().find("/dev/full"), std::string::npos);
        Cli fifo(folder);
        EXPECT_EQ(fifo.run({"--trace=" + test::MakeFifo(folder.str() + "fifo"), "info"}),
                  cli::kUsage);
    }
    {
        // An interrupted delete: every plans command but recover refuses, naming the note.
        Cli cli(folder);
        const std::string note = cli.data.write(
            "plans-to-send-back.txt",
            FormatWriteBackNote({FormatPlanFile(
                "KEPT", {"0,K1,306000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO"})}));
        EXPECT_EQ(cli.run({"plans", "list"}), cli::kFailed);
        EXPECT_NE(cli.err.str().find(messageText(42) + "\n" + note), std::string::npos);
        EXPECT_TRUE(cli.sim.commandsSent().empty());
        EXPECT_EQ(cli.run({"plans", "recover", "--yes"}), cli::kDone) << cli.err.str();
        ASSERT_EQ(cli.sim.plans().size(), 1u);
        EXPECT_EQ(cli.sim.plans()[0].name, "KEPT");
        EXPECT_FALSE(std::filesystem::exists(note));
    }
    {
        // The simulated instrument's folder: one program at a time, and a plan it cannot keep
        // is a failed exchange.
        const std::string state = folder.str() + "S";
        // A folder where a plan file goes: nothing can be stored there.
        folder.write("S/plans/plan2.c52/x", "");
        std::string error;
        auto holder = sim::LoadInstrument(state, error);
        ASSERT_TRUE(holder) << error;
        EXPECT_FALSE(sim::LoadInstrument(state, error, std::chrono::milliseconds(0)));
        EXPECT_NE(error.find("in use"), std::string::npos);
#ifndef _WIN32
        // A folder that nobody can write (even root): said so, never "in use".
        EXPECT_FALSE(sim::LoadInstrument("/proc", error, std::chrono::milliseconds(0)));
        EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
#endif
        holder.reset();
        Cli cli(folder);
        cli.system.backend = nullptr;
        const std::string plan = folder.write("p.c52", FormatPlanFile("P", {}));
        EXPECT_EQ(cli.run({"--simulate=" + state, "plans", "push", plan}), cli::kFailed);
    }
}

// Names as technicians and other software give them: the same twice, one once made safe, long
// ones alike in their first 31 characters, Latin-1 bytes. No file overwrites another, no JSON
// output aborts, and a data folder that cannot be written stops only what needs it.
TEST_F(CommandLine, NamesThatCollideOrAreNotUtf8NeitherOverwriteNorAbort) {
    const std::string latin1 =
        "ESPA\xD1"
        "A";
    const std::string longName(31, 'L');
    {
        Cli cli(folder);
        const char* names[] = {"NORTH-HE", "NORTH-HE", "X/Y", "X_Y"};
        for (std::size_t k = 0; k < std::size(names); ++k)
            cli.sim.tvLoggers()[k] = test::TvLogger(names[k], static_cast<int>(k) + 1);
        cli.sim.tvLoggers()[5] = test::TvLogger(longName + "-A", 1);
        cli.sim.tvLoggers()[6] = test::TvLogger(longName + "-B", 1);
        const std::string into = cli.data.str() + "out";
        for (const Commands& pull : {Commands{"loggers", "pull", "--all", into},
                                     Commands{"loggers", "pull", "0", "1", into + "2"}}) {
            ASSERT_EQ(cli.run(pull), cli::kDone) << cli.err.str();
            const std::string& folderName = pull.back();
            const auto files = Files(folderName);
            // --all without --kind: both lists, the two modem loggers too.
            const std::size_t expected = pull.size() == 4 ? 9 : 2;
            EXPECT_EQ(files.size(), expected) << folderName;
            EXPECT_EQ(files.count("NORTH-HE (2).logtv"), 1u) << folderName;
        }
        EXPECT_EQ(Files(into).count("X_Y (2).logtv"), 1u);
    }
    {
        Cli cli(folder);
        cli.sim.tvLoggers()[0] = test::TvLogger(latin1, 1);
        cli.sim.addPlanFromFile(FormatPlanFile("P", {}));
        cli.sim.plans().back().name = latin1;
        // Saved under its letters in UTF-8, on every system.
        const std::string file = cli.data.str() +
                                 "out/ESPA\xC3\x91"
                                 "A.logtv";
        // A team's limit set whose name holds a byte that is not UTF-8.
        std::string set = FormatLimitSet(BuiltInLimitSets()[1]);
        set.replace(set.find("name = "), set.find('\n', set.find("name = ")) - set.find("name = "),
                    "name = Own \xFF");
        const std::string limits = cli.data.write("own.limits", set);
        const Commands commands[] = {
            {"--json", "loggers", "list", "tv"},
            {"--json", "plans", "list"},
            {"loggers", "pull", "--all", cli.data.str() + "out"},
            {"--json", "loggers", "show", file},
            {"--json", "loggers", "check", file, "--limits", limits},
        };
        for (const Commands& command : commands) {
            cli.out.str("");
            const int status = cli.run(command);
            EXPECT_TRUE(status == cli::kDone || status == cli::kCheckFailed)
                << command.back() << ": " << cli.err.str();
            if (command.front() != "--json") continue;
            const auto parsed = nlohmann::json::parse(cli.out.str(), nullptr, false);
            EXPECT_FALSE(parsed.is_discarded()) << command.back();
            // A logger's name as the windows read it (Latin-1 when it is not UTF-8); a plan's
            // escaped, as it is listed and typed.
            EXPECT_NE(
                cli.out.str().find(command[2] == "list" && command[1] == "plans" ? "ESPA\\\\xD1A"
                                                                                 : "ESPA\xC3\x91"
                                                                                   "A"),
                std::string::npos)
                << command.back() << cli.out.str();
        }
        EXPECT_NE(cli.out.str().find("Own \xC3\xBF"), std::string::npos);
    }
    {
        // The copies cannot be written: listing and pulling into a writable folder go on.
        Cli cli(folder);
        cli.system.dataFolder = cli.data.write("file", "x") + "/data";
        EXPECT_EQ(cli.run({"plans", "list"}), cli::kDone) << cli.err.str();
        EXPECT_NE(cli.out.str().find("DVBC"), std::string::npos);
        EXPECT_EQ(cli.run({"plans", "pull", cli.data.str() + "P"}), cli::kDone) << cli.err.str();
        EXPECT_EQ(Files(cli.data.str() + "P").size(), 2u);
        const std::string plan = folder.write("p.c52", FormatPlanFile("P", {}));
        EXPECT_EQ(cli.run({"--yes", "plans", "push", plan}), cli::kFailed);
        EXPECT_EQ(cli.sim.plans().size(), 2u);
    }
}

// What a technician reads in an 80-column terminal: lists with a header row, every line within
// 80 columns, a clock that says what it set.
TEST_F(CommandLine, ReadsWellAtEightyColumns) {
    Cli cli(folder);
    for (int k = 0; k < 6; ++k)
        cli.sim.tvLoggers()[static_cast<std::size_t>(k)] =
            test::TvLogger("TEST-POINT-" + std::to_string(k), 2);
    const struct {
        Commands arguments;
        std::string first;
    } cases[] = {
        {{"loggers", "list"}, "No  Name"},
        {{"loggers", "list", "modem"}, "No  Name"},
        {{"clock", "set", "--time", "12:00:05/01-03-2026"},
         "The instrument's clock is set to 12:00:05/01-03-2026."},
    };
    for (const auto& c : cases) {
        cli.out.str("");
        EXPECT_EQ(cli.run(c.arguments), cli::kDone) << c.arguments[1] << cli.err.str();
        const std::string out = cli.out.str();
        EXPECT_EQ(out.rfind(c.first, 0), 0u) << out;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(CharacterCount(line), 80u) << line;
    }
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

namespace veltra {
namespace {

// 'loggers check' on the demo's loggers: what the viewers mark, with reasons; 4 when one fails.
TEST(CommandLineCheck, JudgesTheDemosLoggers) {
    test::TempFolder programFolder;
    std::filesystem::copy(std::filesystem::path(VELTRA_DATA_DIR) / "Languages",
                          programFolder.path() / "Languages");
    Cli cli(programFolder);
    const auto demo = sim::MakeDemoInstrument();
    cli.sim.tvLoggers() = demo->tvLoggers();
    cli.sim.modemLoggers() = demo->modemLoggers();
    const std::string day = cli.data.str() + "day";
    ASSERT_EQ(cli.run({"loggers", "pull", day}), cli::kDone);
    ASSERT_EQ(cli.run({"loggers", "pull", "--kind", "modem", day}), cli::kDone);
    // A team's own set, stricter on digital levels: TAP-17 has channels at 63 and 64 dBuV.
    LimitSet strict = BuiltInLimitSets().front();
    strict.name = "Strict";
    strict.digitalLevel = {65, 70};
    const std::string strictFile = cli.data.write("strict.limits", FormatLimitSet(strict));
    const std::string badFile = cli.data.write("bad.limits", "name = Bad\n");
    const struct {
        Commands arguments;
        int status;
        std::string shown;
    } cases[] = {
        // A day's work: a short line a logger, and the totals.
        {{"loggers", "check", day},
         cli::kCheckFailed,
         "CM-0042.logmr    Pass\n"
         "CM-0107.logmr    Pass\n"
         "DS-MAIN.logds    Pass\n"
         "NORTH-HE.logtv   Fail  D7\n"},
        {{"loggers", "check", day},
         cli::kCheckFailed,
         "3 of 7 loggers fail, judged on Subscriber outlet, 256QAM.\n"},
        {{"loggers", "check", day + "/TAP-17.logtv"}, cli::kDone, "8 of 8 channels pass\n"},
        {{"loggers", "check", day + "/NORTH-HE.logtv", "--units", "dBmV"},
         cli::kCheckFailed,
         "10  D7       650.00  -15.4         Level -15.4 < -13.0; MER 29.5 < 32.0\n"},
        {{"loggers", "check", day + "/DS-MAIN.logds", "--csv"},
         cli::kDone,
         ",DS-MAIN,04/12/2026,10:24:56,\"Subscriber outlet, 256QAM\",1,D1,602.00,60.8,Pass\r\n"},
        {{"loggers", "check", day + "/CM-0042.logmr", "--limits", "nowhere"}, cli::kUsage, ""},
        {{"loggers", "check", day + "/CM-0042.logmr", "--units", "dBW"}, cli::kUsage, ""},
        {{"loggers", "check", day + "/missing.logtv"}, cli::kFailed, ""},
        {{"loggers", "check", day + "/TAP-17.logtv", "--limits", strictFile},
         cli::kCheckFailed,
         "Limits: Strict\n"},
        {{"loggers", "check", day + "/TAP-17.logtv", "--limits", badFile}, cli::kFailed, ""},
        // A logger shown is judged too: its printout gains a verdict column and the summary.
        {{"loggers", "show", day + "/NORTH-HE.logtv"},
         cli::kDone,
         "6952    29.5     2.3E-5      Level 44.6 < 47.0; MER 29.5 < 32.0\r\n"},
        {{"loggers", "show", day + "/TAP-17.logtv", "--limits", strictFile},
         cli::kDone,
         "Limits: Strict\n6 of 8 channels pass; first failing: "},
        {{"loggers", "show", day + "/TAP-17.logtv", "--limits", "nowhere"}, cli::kUsage, ""},
        {{"loggers", "show", day + "/NORTH-HE.logtv", "--units", "dBmV"},
         cli::kDone,
         "6952    29.5     2.3E-5      Level -15.4 < -13.0; MER 29.5 < 32.0\r\n"},
    };
    for (const auto& c : cases) {
        cli.out.str("");
        EXPECT_EQ(cli.run(c.arguments), c.status) << c.arguments[2];
        EXPECT_NE(cli.out.str().find(c.shown), std::string::npos) << c.arguments[2] << "\n"
                                                                  << cli.out.str();
    }
    // A limit set file whose content is refused: only why, never "could not be opened".
    cli.err.str("");
    cli.run({"loggers", "check", day + "/TAP-17.logtv", "--limits", badFile});
    EXPECT_EQ(cli.err.str().find("could not be opened"), std::string::npos) << cli.err.str();
    EXPECT_NE(cli.err.str().find(badFile + ": no "), std::string::npos) << cli.err.str();
    cli.out.str("");
    ASSERT_EQ(cli.run({"--json", "loggers", "check", day + "/NORTH-HE.logtv"}), cli::kCheckFailed);
    const auto checked = nlohmann::json::parse(cli.out.str());
    EXPECT_FALSE(checked[0]["pass"]);
    EXPECT_EQ(checked[0]["channels"][9]["verdict"], "Level 44.6 < 47.0; MER 29.5 < 32.0");
    EXPECT_EQ(checked[0]["figures"].size(), 7u);
}

}  // namespace
}  // namespace veltra
