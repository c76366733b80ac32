#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "face/Messages.h"
#include "firmware/FirmwareUpdates.h"
#include "firmware/IoLoader.h"
#include "link/Report.h"
#include "sim/Simulator.h"
#include "support/FirmwareFileWriter.h"
#include "support/OperationRig.h"
#include "support/ScriptedProgress.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

class ScriptedConfirmation : public UpdateConfirmation {
  public:
    bool confirm(const std::string& currentVersion, const std::string& question,
                 const std::string& file) override {
        shown.push_back(currentVersion + "|" + question + "|" + file);
        return answer;
    }
    bool answer = true;
    std::vector<std::string> shown;
};

class Updates : public ::testing::Test, protected test::OperationRig {
  protected:
    // A firmware file of a binary image placed at `address`, as objcopy writes it (start
    // address 0, so no start record of a type the updates refuse).
    std::string makeFile(const std::vector<std::uint8_t>& bytes, unsigned address,
                         const std::string& format, const std::string& name) {
        const std::string out = folder.str() + name;
        return folder.write(name, format == "ihex" ? test::IntelHexFile(bytes, address)
                                                   : test::SRecordFile(bytes, address, out));
    }
    static std::vector<std::uint8_t> RandomBytes(std::size_t size) {
        std::mt19937 random(52);
        std::vector<std::uint8_t> bytes(size);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        return bytes;
    }
    // An Intel HEX file of 16-byte records with type 4 records at each 64 KiB boundary, as
    // linkers write files beyond 64 KiB (objcopy writes type 2 records there, which the
    // IO interface update refuses).
    static std::string HexFile(const std::vector<std::uint8_t>& bytes, unsigned address) {
        auto record = [](unsigned count, unsigned where, unsigned type, const std::uint8_t* data) {
            char text[16];
            unsigned sum = count + (where >> 8) + (where & 0xFF) + type;
            std::snprintf(text, sizeof text, ":%02X%04X%02X", count, where & 0xFFFF, type);
            std::string line = text;
            for (unsigned i = 0; i < count; ++i) {
                std::snprintf(text, sizeof text, "%02X", data[i]);
                line += text;
                sum += data[i];
            }
            std::snprintf(text, sizeof text, "%02X\r\n", (0x100 - sum % 256) % 256);
            return line + text;
        };
        std::string file;
        unsigned extension = 0;
        for (std::size_t i = 0; i < bytes.size(); i += 16) {
            const unsigned at = address + static_cast<unsigned>(i);
            if (at >> 16 != extension) {
                extension = at >> 16;
                const std::uint8_t high[2] = {static_cast<std::uint8_t>(extension >> 8),
                                              static_cast<std::uint8_t>(extension)};
                file += record(2, 0, 4, high);
            }
            file += record(static_cast<unsigned>(std::min<std::size_t>(16, bytes.size() - i)), at,
                           0, bytes.data() + i);
        }
        return file + ":00000001FF";
    }
    // As the main window updates: the file named at start, else the dialog.
    Ended updateIO(const std::string& ioVersion = "") {
        const Ended ended = updates.UpdateIOInterface(
            [this]() -> std::optional<std::string> {
                if (!commandLineFile.empty()) return commandLineFile;
                return prompts.chooseOpenFile(dialog);
            },
            ioVersion);
        if (FileUsedUp(ended)) commandLineFile.clear();
        return ended;
    }
    Ended updateInstrument(const std::string& version = "") {
        return updates.UpdateInstrument([this] { return prompts.chooseOpenFile(dialog); }, version);
    }

    test::RecordedProgress progress;
    ScriptedConfirmation confirmation;
    int waited = 0;
    FirmwareUpdates updates{
        link, prompts, texts, progress, confirmation, busy, [this](int ms) { waited += ms; }};
    FileDialogState dialog;
    std::string commandLineFile;
};

TEST_F(Updates, IOInterfaceImageArrivesAsInTheFile) {
    // The whole firmware area, 124 KiB, across the 64 KiB boundary.
    const auto image = RandomBytes(kImageSize - kImageStart);
    commandLineFile = folder.write("io.hex", HexFile(image, kImageStart));
    EXPECT_TRUE(updateIO("IO 2.05"));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(confirmation.shown,
              std::vector<std::string>{"T50IO 2.05|T47|" + folder.str() + "io.hex"});
    EXPECT_TRUE(prompts.files.empty());
    EXPECT_EQ(std::vector<std::uint8_t>(sim.ioImage().begin() + 0x1000,
                                        sim.ioImage().begin() + 0x1000 + image.size()),
              image);
    EXPECT_FALSE(sim.inLoader());  // back in its firmware
    EXPECT_EQ(sim.erasedUnits().size(), 123u);
    EXPECT_EQ(sim.erasedUnits().front(), 4);
    EXPECT_EQ(sim.erasedUnits().back(), 126);
    EXPECT_EQ(waited, 8000);  // the restart into the loader, and out of it
    EXPECT_EQ(progress.status, "T55");
    EXPECT_EQ(progress.warning, "T29");
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(progress.max, static_cast<int>(image.size()));
    EXPECT_TRUE(commandLineFile.empty());
    EXPECT_EQ(prompts.waitDepth, 0);

    // The block at 0x1000 goes last; then the leave, and the new firmware is asked its version.
    const auto& traffic = sim.traffic();
    ASSERT_GE(traffic.size(), 4u);
    const Report& lastBlock = traffic[traffic.size() - 4].report;
    EXPECT_EQ(lastBlock[1], 6);
    EXPECT_EQ(lastBlock[2], 0x00);
    EXPECT_EQ(lastBlock[3], 0x10);
    const Report& leave = traffic[traffic.size() - 3].report;
    EXPECT_EQ(leave[1], 8);
    EXPECT_EQ(leave[7], 0);
    EXPECT_EQ(traffic[traffic.size() - 2].report[2], kIOVersionCode);
}

// Done only once the interface answers from its new firmware: a lost leave report leaves it in
// its loader, which answers nothing.
TEST_F(Updates, TheIOUpdateIsDoneOnlyWhenTheInterfaceComesBack) {
    const auto image = RandomBytes(256);
    commandLineFile = folder.write("io.hex", HexFile(image, kImageStart));
    sim.unplugAtReport(1 + 123 + 10 + 1);  // enter, erase, five blocks, leave
    EXPECT_FALSE(updateIO("IO 2.05"));
    EXPECT_TRUE(sim.inLoader());
    EXPECT_EQ(progress.status, "T58");
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7) + "\nT302"});
}

TEST_F(Updates, OnlyTheBlockAt0x1000ForASmallFile) {
    commandLineFile =
        folder.write("small.hex", ":10100000000102030405060708090A0B0C0D0E0F68\n:00000001FF\n");
    updateIO();
    std::vector<int> blocks;
    for (const auto& entry : sim.traffic()) {
        if (entry.report[1] == 5) blocks.push_back(entry.report[2] | (entry.report[3] << 8));
    }
    EXPECT_EQ(blocks, std::vector<int>{0x1000});
    EXPECT_EQ(sim.ioImage()[0x100F], 0x0F);
}

TEST_F(Updates, RecordsBelow0x1000AreNeverSent) {
    commandLineFile =
        folder.write("low.hex", ":0400000001020304F2\n:0410000001020304E2\n:00000001FF\n");
    updateIO();
    EXPECT_EQ(sim.ioImage()[0], 0);
    EXPECT_EQ(sim.ioImage()[0x1000], 1);
}

TEST_F(Updates, IOUpdateRefusalsSendNothing) {
    const std::string end = ":00000001FF";
    const std::string good = ":0410000001020304E2\n";
    // A download broken off in the middle of a line.
    const std::string download = HexFile(RandomBytes(0x2000), kImageStart);
    const std::size_t cut = download.find('\n', download.size() / 2) + 20;
    const int cutLine =
        static_cast<int>(std::count(download.begin(), download.begin() + cut, '\n')) + 1;
    const struct {
        std::string file;
        std::string content;
        int code;
        std::string detail;
    } cases[] = {
        {"io.HEX", end, 11, ""},
        {"bad.hex", ":0410000001020304E3\n" + end, 2, "T133: 1"},
        {"types.hex", good + ":020000021000EC\n" + end, 2, "T134: 2"},
        {"cut.hex", good, 2, "T135"},
        {"download.hex", download.substr(0, cut), 2, "T132: " + std::to_string(cutLine)},
        {"ext.hex", ":00000004FC\n" + good + end, 2, "T132: 1"},
        {"empty.hex", end, 2, "T43"},
        {"low.hex", ":0400000001020304F2\n" + end, 2, "T43"},
        {"wrap.hex", ":02000004FFFFFC\n:10FFF000000102030405060708090A0B0C0D0E0F89\n" + end, 2,
         "T43"},
    };
    for (const auto& c : cases) {
        prompts.messages.clear();
        commandLineFile = folder.write(c.file, c.content);
        updateIO();
        EXPECT_EQ(messages(),
                  std::vector<std::string>{msg(c.code) + (c.detail.empty() ? "" : "\n" + c.detail)})
            << c.file;
        EXPECT_TRUE(commandLineFile.empty()) << c.file;
        EXPECT_TRUE(sim.traffic().empty()) << c.file;  // not even the loader's entry
    }
    EXPECT_TRUE(confirmation.shown.empty());
    EXPECT_EQ(std::count(sim.ioImage().begin(), sim.ioImage().end(), 0),
              static_cast<long>(kImageSize));
    EXPECT_EQ(prompts.waitDepth, 0);
    commandLineFile = folder.str() + "missing.hex";
    updateIO();
    EXPECT_TRUE(commandLineFile.empty());
    sim.setPlugged(false);
    updateIO();
    EXPECT_EQ(messages().back(), msg(7));
}

TEST_F(Updates, CancelledConfirmationKeepsTheCommandLineFile) {
    commandLineFile = folder.write("io.hex", ":0410000001020304E2\n:00000001FF\n");
    confirmation.answer = false;
    updateIO();
    EXPECT_FALSE(commandLineFile.empty());
    EXPECT_TRUE(sim.traffic().empty());
    // The next update from the menu uses it without a dialog.
    confirmation.answer = true;
    updateIO();
    EXPECT_EQ(sim.ioImage()[0x1000], 1);
    EXPECT_TRUE(commandLineFile.empty());
    // Then the dialog is asked, and cancelling it does nothing.
    sim.clearTraffic();
    updateIO();
    EXPECT_TRUE(sim.traffic().empty());
}

TEST_F(Updates, UnplugDuringTheIOUpdateFails) {
    commandLineFile = makeFile(RandomBytes(0x2000), 0x1000, "ihex", "io.hex");
    sim.unplugAtReport(200);
    updateIO();
    EXPECT_EQ(progress.status, "T58");
    EXPECT_TRUE(progress.finished);
    EXPECT_FALSE(progress.barVisible);
}

TEST_F(Updates, InstrumentRecordsArriveInOrder) {
    const std::string file = makeFile(RandomBytes(700), 0x8000, "srec", "vt.p52");
    prompts.files = {file};
    EXPECT_TRUE(updateInstrument(" 3.12"));
    EXPECT_TRUE(messages().empty());
    std::string content = folder.read("vt.p52");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    EXPECT_EQ(sim.receivedRecords(), lines);
    const auto commands = sim.commandsSent();
    ASSERT_GE(commands.size(), 8u);
    EXPECT_EQ(commands[0], "*RS2");
    EXPECT_EQ(std::vector<std::string>(commands.begin() + 1, commands.begin() + 7),
              (std::vector<std::string>{"*FE2", "*FE3", "*FE4", "*FE5", "*FE6", "*FE7"}));
    EXPECT_EQ(commands.back(), "*RS0");
    EXPECT_EQ(waited, 2200);
    EXPECT_EQ(progress.status, "T55");
    EXPECT_EQ(progress.pos, progress.max);
    EXPECT_EQ(confirmation.shown.front(), "T48 3.12|T49|" + file);
}

TEST_F(Updates, RefusedRecordsAreSentAgain) {
    prompts.files = {makeFile(RandomBytes(40), 0x8000, "srec", "vt.p52")};
    sim.setStatus("*SXS", 0, 5);
    updateInstrument();
    EXPECT_EQ(waited, 2200 + 5 * 500);
    EXPECT_EQ(sim.commandsSent().back(), "*RS0");

    // Six refusals: the update stops before "*RS0".
    sim.clearTraffic();
    waited = 0;
    prompts.files = {dialog.fileName};
    sim.setStatus("*SXS", 0, 6);
    updateInstrument();
    EXPECT_EQ(progress.status, "T58");
    EXPECT_FALSE(progress.barVisible);
    EXPECT_NE(sim.commandsSent().back(), "*RS0");
}

TEST_F(Updates, EraseStepWarningGoesOn) {
    prompts.files = {makeFile(RandomBytes(40), 0x8000, "srec", "vt.p52")};
    sim.setStatus("*FE4", 2, 1);
    updateInstrument();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(8)});
    EXPECT_EQ(sim.commandsSent().back(), "*RS0");

    prompts.files = {dialog.fileName};
    prompts.messages.clear();
    sim.setStatus("*FE5", 0, 1);
    updateInstrument();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
    EXPECT_EQ(progress.status, "T58");
}

TEST_F(Updates, InstrumentUpdateRefusalsSendNothing) {
    // Capitals are not the extension; a cancelled dialog stops.
    prompts.files = {folder.write("vt.P52", "S9030000FC")};
    updateInstrument();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(11)});
    updateInstrument();  // cancelled
    EXPECT_EQ(messages().size(), 1u);

    const std::string data = "S1130000285F245F2212226A000424290008237C2A\n";
    const std::string download = folder.read(
        makeFile(RandomBytes(700), 0x8000, "srec", "dl.p52").substr(folder.str().size()));
    const struct {
        std::string content;
        std::string detail;
    } cases[] = {
        {"S1130000285F245F2212226A000424290008237C2B\nS9030000FC", "T133: 1"},
        {"", "T43"},
        {"S00F000068656C6C6F202020202000003C\nS9030000FC", "T43"},
        {data, "T135"},  // no termination record
        {download.substr(0, download.rfind("\nS9")), "T135"},
    };
    for (const auto& c : cases) {
        prompts.messages.clear();
        prompts.files = {folder.write("bad.p52", c.content)};
        updateInstrument();
        EXPECT_EQ(messages(), std::vector<std::string>{msg(2) + "\n" + c.detail}) << c.content;
    }
    EXPECT_TRUE(sim.commandsSent().empty());
    EXPECT_TRUE(confirmation.shown.empty());
    EXPECT_EQ(prompts.waitDepth, 0);
}

TEST_F(Updates, EveryInstrumentUpdateEndsWithTheWindowFinished) {
    prompts.files = {makeFile(RandomBytes(300), 0x8000, "srec", "vt.p52")};
    for (const char* refused : {"*RS2", "*FE3", "*SXS", "*RS0"}) {
        progress = {};
        sim.setStatus(refused, 0);
        updateInstrument();
        EXPECT_TRUE(progress.finished) << refused;
        EXPECT_EQ(progress.status, "T58") << refused;
        sim.setStatus(refused, 1);
        prompts.files = {dialog.fileName};
    }
    sim.unplugAtReport(10);  // among the records
    progress = {};
    updateInstrument();
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(progress.status, "T58");
}

}  // namespace
TEST(LoaderReports, KeepTheBytesOfTheReportBefore) {
    LoaderReports reports;
    std::uint8_t block[64];
    for (int i = 0; i < 64; ++i)
        block[i] = static_cast<std::uint8_t>(0x80 + i);
    Report r = reports.enterLoader(true);
    EXPECT_EQ(r[1], 8);
    EXPECT_EQ(r[7], 1);
    r = reports.erase(126);
    EXPECT_EQ(r[1], 4);
    EXPECT_EQ(r[7], 126);
    r = reports.firstHalf(0x1040, block);
    EXPECT_EQ(std::vector<std::uint8_t>(r.begin(), r.begin() + 8),
              (std::vector<std::uint8_t>{0x00, 0x05, 0x40, 0x10, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(r[38], 0x80 + 31);
    EXPECT_EQ(r[39], 0);  // beyond the data: as before
    r = reports.secondHalf(block + 32);
    EXPECT_EQ(std::vector<std::uint8_t>(r.begin(), r.begin() + 8),
              (std::vector<std::uint8_t>{0x00, 0x06, 0x40, 0x10, 0x00, 0x00, 0x00, 0xA0}));
    EXPECT_EQ(r[38], 0x80 + 63);
    r = reports.enterLoader(false);
    EXPECT_EQ(r[2], 0x40);  // the address stays from the blocks
    EXPECT_EQ(r[7], 0);
}

}  // namespace veltra
