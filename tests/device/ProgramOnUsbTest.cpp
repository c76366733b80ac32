// The whole program on the real USB path: windows, operations and link over hidapi and the libudev
// monitor, against an emulated IO interface. The same work against the simulator directly must
// put the same reports on the wire and leave the same files.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "EmulatedBus.h"
#include "cli/Cli.h"
#include "language/Language.h"
#include "link/HidapiBackend.h"
#include "loggers/LoggerTransfers.h"
#include "shell/windows/Program.h"
#include "support/FirmwareFileWriter.h"
#include "support/SampleLoggers.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"
#include "widgets/QtText.h"

namespace veltra {
namespace {

// One program with its instrument: on the emulated bus, or on the simulator directly.
struct World {
    explicit World(test::EmulatedBus* bus) : bus_(bus) {
        for (const char* sub : {"Images", "Languages", "Version"})
            std::filesystem::copy(std::filesystem::path(VELTRA_DATA_DIR) / sub, folder.path() / sub,
                                  std::filesystem::copy_options::recursive);
        std::filesystem::create_directory(folder.path() / "Loggers");
        sim.tvLoggers()[4] = test::TvLogger("NORTH", 3);
        sim.addPlanFromFile(FormatPlanFile(
            "DVBC", {"0,S21,306000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO",
                     "1,S22,314000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO"}));
        if (bus) {
            bus->plugInstrument(sim);
            hidapi = std::make_unique<HidapiBackend>();
        }
        language = std::make_unique<Language>(folder.str());
        link = std::make_unique<Link>(bus ? static_cast<HidBackend&>(*hidapi) : sim);
        // The IO interface's restart into its loader takes real time on the bus: wait for it
        // instead of the 4 seconds.
        program = std::make_unique<Program>(*language, *link, prompts, [bus](int) {
            if (bus) bus->settle();
            QCoreApplication::processEvents();  // the udev monitors take their events
        });
        program->ConfUpgr->setModalRunner([](TConfUpgr&) { return QDialog::Accepted; });
        for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
                 program->LoggerWindow, program->ModemWindow, program->DownWindow})
            viewer->setModalRunner([](LoggerViewer&) {});
        program->Form1->AlExecutar();
    }
    ~World() {
        program.reset();
        if (bus_) bus_->unplugAll();  // before the instrument goes
    }
    TForm1& form() { return *program->Form1; }

    test::EmulatedBus* bus_;
    test::TempFolder folder;
    sim::Simulator sim;
    std::unique_ptr<HidapiBackend> hidapi;
    test::ScriptedPrompts prompts;
    std::unique_ptr<Language> language;
    std::unique_ptr<Link> link;
    std::unique_ptr<Program> program;
};

class ProgramOnUsb : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!bus.unavailable().empty()) GTEST_SKIP() << bus.unavailable();
    }
    // Runs `work` in both worlds; the reports and the files must be the same.
    void same(const std::function<void(World&)>& work) {
        for (World* world : {&direct, &usb}) {
            world->sim.clearTraffic();
            work(*world);
        }
        bus.settle();
        ASSERT_EQ(usb.sim.traffic().size(), direct.sim.traffic().size());
        for (std::size_t i = 0; i < usb.sim.traffic().size(); ++i) {
            EXPECT_EQ(usb.sim.traffic()[i].toDevice, direct.sim.traffic()[i].toDevice) << i;
            ASSERT_EQ(usb.sim.traffic()[i].report, direct.sim.traffic()[i].report) << i;
        }
        EXPECT_TRUE(usb.prompts.messages.empty());
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(direct.folder.path())) {
            if (!entry.is_regular_file()) continue;
            const auto relative = std::filesystem::relative(entry.path(), direct.folder.path());
            EXPECT_EQ(usb.folder.read(relative.string()), direct.folder.read(relative.string()))
                << relative;
        }
    }

    test::EmulatedBus bus;
    World direct{nullptr};
    World usb{bus.unavailable().empty() ? &bus : nullptr};
};

TEST_F(ProgramOnUsb, DoesOnUsbWhatItDoesOnTheSimulator) {
    EXPECT_EQ(fromQt(usb.form().SN->text()), "VT520417");
    EXPECT_EQ(fromQt(usb.form().IOV->text()), "IO 2.05");
    same([](World& w) { QTest::mouseClick(w.form().ReceiveBut, Qt::LeftButton); });
    EXPECT_TRUE(usb.folder.exists("DVBC.temp"));
    same([](World& w) {
        w.prompts.files = {w.folder.write(
            "cable.c52",
            FormatPlanFile("CABLE", {"0,C5,175250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO"}))};
        QTest::mouseClick(w.form().LoadBut, Qt::LeftButton);
    });
    EXPECT_EQ(usb.sim.plans().size(), 2u);
    same([](World& w) {
        w.form().LoggerType->setCurrentIndex(1);
        w.form().ReceiveLogButClick();
        w.form().LoggerIndexMouseUp(true, 1, 1);
        w.form().LoggerIndexDblClick();
    });
    EXPECT_EQ(usb.program->loggers->records.tv.name, "NORTH");
}

// An IO interface image of random bytes at 0x1000, as an Intel HEX file in `folder`.
std::string RandomIOImage(test::TempFolder& folder, std::string& image) {
    std::mt19937 random(52);
    image.assign(0x2000, '\0');
    for (char& byte : image)
        byte = static_cast<char>(random());
    return folder.write("io.hex", test::IntelHexFile({image.begin(), image.end()}, 0x1000));
}

TEST_F(ProgramOnUsb, UpdatesTheIOInterfaceThroughItsLoader) {
    std::string image;
    const std::string hex = RandomIOImage(usb.folder, image);
    ASSERT_FALSE(hex.empty());
    const int before = bus.reenumerations();
    same([&hex](World& w) {
        w.form().setCommandLineFile(hex);
        w.form().Actualitzar();
    });
    // Into the loader and back: each a real unplug and plug of the emulated device.
    EXPECT_EQ(bus.reenumerations() - before, 4);
    EXPECT_EQ(std::string(usb.sim.ioImage().begin() + 0x1000, usb.sim.ioImage().begin() + 0x3000),
              image);
    EXPECT_EQ(fromQt(usb.program->UpdatingFORM->Status->text()), usb.language->text(55));
}

// The command line on the real USB path says and does what it does on the simulator.
TEST_F(ProgramOnUsb, TheCommandLineOnARealInterface) {
    std::string image;
    const std::string hex = RandomIOImage(usb.folder, image);
    ASSERT_FALSE(hex.empty());
    const auto here = std::filesystem::current_path();
    const std::vector<std::vector<std::string>> commands = {
        {"info"}, {"-q", "plans", "pull", "pulled"}, {"update", "io", hex, "--yes", "-q"}};
    for (const auto& arguments : commands) {
        std::string said[2];
        for (World* world : {&direct, &usb}) {
            world->sim.clearTraffic();
            std::ostringstream out, err;
            std::istringstream in;
            cli::CliSystem system(out, err, in);
            system.programFolder = system.dataFolder = world->folder.str();
            system.backend = world == &usb ? static_cast<HidBackend*>(usb.hidapi.get())
                                           : static_cast<HidBackend*>(&direct.sim);
            system.wait = [this](int) {
                bus.settle();
                QCoreApplication::processEvents();  // the windows' udev monitors take theirs
            };
            std::filesystem::current_path(world->folder.path());
            EXPECT_EQ(cli::RunCli(arguments, system), cli::kDone) << err.str();
            said[world == &usb] = out.str() + err.str();
        }
        bus.settle();
        // Only the simulated instrument says it is one.
        const std::string mark = "(simulated instrument)\n";
        if (arguments[0] == "info") {
            ASSERT_NE(said[0].find(mark), std::string::npos);
            said[0].erase(said[0].find(mark), mark.size());
        }
        EXPECT_EQ(said[1], said[0]) << arguments[0];
        EXPECT_EQ(usb.sim.commandsSent(), direct.sim.commandsSent()) << arguments[0];
    }
    std::filesystem::current_path(here);
    EXPECT_EQ(usb.folder.read("pulled/DVBC.c52"), direct.folder.read("pulled/DVBC.c52"));
    EXPECT_EQ(std::string(usb.sim.ioImage().begin() + 0x1000, usb.sim.ioImage().begin() + 0x3000),
              image);
}

TEST_F(ProgramOnUsb, TheMonitorHearsPlugsAndUnplugs) {
    auto checks = [this] {
        const auto commands = usb.sim.commandsSent();
        return std::count(commands.begin(), commands.end(), std::string("*?VE"));
    };
    const auto first = checks();
    // A burst of plug events gives one connection check, 1.2 s after the last. (The monitors
    // take their events between two plugs: an emulated monitor holds only ten at a time.)
    const std::string extra = bus.plugOther("USB Keyboard");
    QCoreApplication::processEvents();
    bus.unplug(extra);
    QCoreApplication::processEvents();
    bus.plugOther("USB Mouse");
    EXPECT_TRUE(QTest::qWaitFor([&] { return checks() == first + 1; }, 3000));
    QTest::qWait(300);
    EXPECT_EQ(checks(), first + 1);
    // Unplugged: the panel turns to its disconnected state.
    for (const std::string& path : usb.hidapi->enumerate()) {
        bus.unplug(path);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return fromQt(usb.form().Connexio->text()) == usb.language->text(15); }, 3000));
}

// The installed program itself, in a process of its own, finds the emulated instrument and
// traces what it says to it.
TEST_F(ProgramOnUsb, TheProgramTracesItsStartOnARealInterface) {
    const std::string trace = usb.folder.str() + "start.trace";
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(VELTRA_PROGRAM, VELTRA_PROGRAM, ("--trace=" + trace).c_str(), nullptr);
        _exit(127);
    }
    auto lines = [&] {
        std::ifstream in(trace);
        std::vector<std::string> list;
        for (std::string line; std::getline(in, line);)
            if (line.find("# ") == std::string::npos)
                list.push_back(line.substr(line.find(' ') + 1));
        return list;
    };
    // The start-up identity: serial number, IO interface version, instrument version.
    EXPECT_TRUE(QTest::qWaitFor([&] { return lines().size() >= 6; }, 10000));
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    const auto traced = lines();
    ASSERT_GE(traced.size(), 6u);
    const auto& wire = usb.sim.traffic();
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(traced[i], (wire[wire.size() - traced.size() + i].toDevice ? "> " : "< ") +
                                 ReportToHex(wire[wire.size() - traced.size() + i].report));
}

}  // namespace
}  // namespace veltra
