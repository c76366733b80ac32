#include <gtest/gtest.h>

#include "face/Messages.h"
#include "loggers/LoggerTransfers.h"
#include "sim/Simulator.h"
#include "support/OperationRig.h"
#include "support/SampleLoggers.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

using test::DownLogger;
using test::ModemLogger;
using test::TvLogger;

using Commands = std::vector<std::string>;

class Loggers : public ::testing::Test, protected test::OperationRig {
  protected:
    void receive(LoggerList list) {
        ASSERT_TRUE(loggers.ReceiveLoggerList(list));
        ASSERT_GT(loggers.index().LoggerCount(), 0u);
        sim.clearTraffic();
    }

    LoggerTransfers loggers{link, prompts, texts, busy, folder.str() + "Loggers"};
    FileDialogState openDialog, saveAll, saveAs;
};

TEST_F(Loggers, IndexRowsFollowTheLoggersPresent) {
    for (int n : {5, 17, 40})
        sim.tvLoggers()[static_cast<std::size_t>(n)] = TvLogger("L" + std::to_string(n), 1);
    receive(LoggerList::Tv);
    const auto& rows = loggers.index().rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "L5");
    EXPECT_EQ(rows[2].name, "L40");
    EXPECT_EQ(rows[2].number, 40);
    EXPECT_EQ(rows[1].time, "09:05:03");
    EXPECT_EQ(rows[1].date, "07/03/2014");
    EXPECT_FALSE(rows[2].marked);

    // A second receive with fewer loggers leaves nothing of the first behind.
    sim.tvLoggers()[17].reset();
    sim.tvLoggers()[40].reset();
    receive(LoggerList::Tv);
    EXPECT_EQ(loggers.index().size(), 1u);
}

TEST_F(Loggers, ReceiveTrafficAndEmptyLists) {
    sim.modemLoggers()[2] = ModemLogger("CM");
    loggers.ReceiveLoggerList(LoggerList::Modem);
    EXPECT_EQ(sim.commandsSent(), (Commands{"*?LM", "*?OM02"}));
    sim.modemLoggers()[2].reset();
    EXPECT_TRUE(loggers.ReceiveLoggerList(LoggerList::Modem));
    EXPECT_EQ(loggers.index().LoggerCount(), 0u);
    EXPECT_EQ(messages(), std::vector<std::string>{msg(37)});
    sim.setPlugged(false);
    EXPECT_FALSE(loggers.ReceiveLoggerList(LoggerList::Tv));
    EXPECT_EQ(messages().back(), msg(7));
}

TEST_F(Loggers, MarksAndTheHeaderToggle) {
    for (int n : {0, 1, 2})
        sim.tvLoggers()[static_cast<std::size_t>(n)] = TvLogger("L", 1);
    receive(LoggerList::Tv);
    LoggerIndex& index = loggers.index();
    auto marks = [&] {
        std::string m;
        for (const auto& row : index.rows())
            m += row.marked ? 'Y' : 'N';
        return m;
    };
    index.toggleMark(1);
    EXPECT_EQ(marks(), "NYN");
    index.toggleAllMarks();  // one marked: all unmarked
    EXPECT_EQ(marks(), "NNN");
    index.toggleAllMarks();  // none marked: all marked
    EXPECT_EQ(marks(), "YYY");
    index.toggleMark(7);  // past the end: nothing
    EXPECT_EQ(marks(), "YYY");
}

TEST_F(Loggers, FetchingATvLogger) {
    sim.tvLoggers()[3] = TvLogger("NORTH", 3);
    receive(LoggerList::Tv);
    EXPECT_EQ(loggers.FetchListedLogger(LoggerList::Tv, 0).value_or(kShowNothing), kShowTv);
    EXPECT_EQ(sim.commandsSent(), (Commands{"*?ET03", "*?HD03000", "*?HD03001", "*?HD03002"}));
    const auto& tv = loggers.records.tv;
    EXPECT_EQ(tv.name, "NORTH");
    EXPECT_EQ(tv.noiseMode, "T142");
    EXPECT_EQ(tv.noiseFrequency, "8.10");
    EXPECT_EQ(tv.threshold, "0");  // -3 tenths
    ASSERT_EQ(tv.records.size(), 3u);
    EXPECT_EQ(tv.records[2][0], "3");
    EXPECT_EQ(tv.records[2][2], "618.00");
    EXPECT_EQ(prompts.waitDepth, 0);
}

TEST_F(Loggers, RecordNumbersHaveThreeDigits) {
    sim.tvLoggers()[3] = TvLogger("N", 121);
    receive(LoggerList::Tv);
    ASSERT_TRUE(link.FindIOInterface());
    LoggerFetcher& fetcher = loggers.fetcher();
    TvRecord record;
    for (int k : {7, 45, 120})
        fetcher.GetTvRecord(3, k, record);
    EXPECT_EQ(sim.commandsSent(), (Commands{"*?HD03007", "*?HD03045", "*?HD03120"}));
    sim.clearTraffic();
    // No query for a logger number the instrument cannot hold.
    EXPECT_FALSE(fetcher.GetTvRecord(50, 0, record));
    EXPECT_FALSE(fetcher.GetTvHeader(50));
    EXPECT_FALSE(fetcher.GetLoggerKind(50));
    EXPECT_FALSE(fetcher.GetDownHeader(50, loggers.records.down));
    EXPECT_FALSE(fetcher.GetDownRow(50, 0, loggers.records.down));
    EXPECT_FALSE(fetcher.GetModemRow(50, 0, loggers.records.modem));
    EXPECT_TRUE(sim.commandsSent().empty());
}

TEST_F(Loggers, ABadRecordFailsTheFetchWithMessage33Twice) {
    sim.tvLoggers()[0] = TvLogger("N", 3);
    sim.tvLoggers()[0]->records[1] = "1&D&1&0&8000000&0&4&6952&63&38&x";
    receive(LoggerList::Tv);
    EXPECT_EQ(loggers.FetchListedLogger(LoggerList::Tv, 0).value_or(kShowNothing), kShowNothing);
    EXPECT_EQ(messages(), (std::vector<std::string>{msg(33), msg(33)}));
}

TEST_F(Loggers, FetchingModemListLoggers) {
    sim.modemLoggers()[1] = ModemLogger("CM");
    sim.modemLoggers()[4] = DownLogger("DS");
    receive(LoggerList::Modem);
    EXPECT_EQ(loggers.FetchListedLogger(LoggerList::Modem, 0).value_or(kShowNothing), kShowModem);
    EXPECT_EQ(sim.commandsSent(),
              (Commands{"*?EM01", "*?HM010", "*?HM011", "*?HM012", "*?HM013", "*?HM014", "*?HM015",
                        "*?HM016", "*?HM017", "*?HM0110", "*?HM0111", "*?HM0112", "*?HM0113"}));
    EXPECT_EQ(loggers.records.modem.down[0][6], "QAM256");
    EXPECT_EQ(loggers.records.modem.up[3][7], "64QAM");
    sim.clearTraffic();
    EXPECT_EQ(loggers.FetchListedLogger(LoggerList::Modem, 1).value_or(kShowNothing), kShowDown);
    EXPECT_EQ(sim.commandsSent(),
              (Commands{"*?EM04", "*?HM048", "*?HM049", "*?HM040", "*?HM041", "*?HM042", "*?HM043",
                        "*?HM044", "*?HM045", "*?HM046", "*?HM047"}));
    EXPECT_EQ(loggers.records.down.channel, "D2LO");  // first four characters
    EXPECT_EQ(loggers.records.down.planName, "DOCSI");
    EXPECT_EQ(loggers.records.down.version, "EURO 3.0");
}

TEST_F(Loggers, FetchWithoutInstrumentShowsMessage7) {
    sim.tvLoggers()[0] = TvLogger("N", 1);
    receive(LoggerList::Tv);
    sim.setPlugged(false);
    EXPECT_EQ(loggers.FetchListedLogger(LoggerList::Tv, 0).value_or(kShowNothing), kShowNothing);
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
}

TEST_F(Loggers, SaveWritesEveryListedLoggerIntoAFileOfItsOwn) {
    // A test point measured twice, names that are one file name once made safe, and names that
    // differ only in case (one file on Windows).
    const char* names[] = {"SAME", "SAME", "X/Y", "X_Y", "same", "../../x"};
    for (std::size_t k = 0; k < std::size(names); ++k)
        sim.tvLoggers()[k] = TvLogger(names[k], static_cast<int>(k) + 1);
    receive(LoggerList::Tv);
    loggers.SaveAllLoggers(LoggerList::Tv);
    EXPECT_EQ(prompts.messages.back().caption, "T151");
    // The box says where they went.
    EXPECT_EQ(prompts.messages.back().text, "T152\nT200 " + folder.str() + "Loggers");
    const char* files[] = {"SAME.logtv",    "SAME (2).logtv", "X_Y.logtv",
                           "X_Y (2).logtv", "same (3).logtv", ".._.._x.logtv"};
    std::vector<std::string> written;
    for (std::size_t k = 0; k < std::size(files); ++k) {
        written.push_back(folder.str() + "Loggers/" + files[k]);
        // Each file holds its own logger: k + 1 records.
        EXPECT_NE(folder.read(std::string("Loggers/") + files[k])
                      .find("\r\n" + std::to_string(k + 1) + "\r\n0,"),
                  std::string::npos)
            << files[k];
    }
    EXPECT_EQ(loggers.files().written(), written);
    EXPECT_EQ(loggers.records.tv.fileName, written.back());
    // A second save names them the same way again: the same loggers, the same files.
    loggers.SaveAllLoggers(LoggerList::Tv);
    EXPECT_EQ(loggers.files().written(), written);
}

// Nothing listed (no instrument, an empty list): no "saved" box for files never written.
TEST_F(Loggers, NothingListedIsNeverSaidToBeSaved) {
    FileDialogState dialog;
    for (const auto& save : std::initializer_list<std::function<Ended()>>{
             [&] { return loggers.SaveAllLoggers(LoggerList::Tv); },
             [&] { return loggers.SaveAllLoggersAs(LoggerList::Tv, dialog); }}) {
        prompts.messages.clear();
        EXPECT_FALSE(save());
        EXPECT_EQ(messages(), std::vector<std::string>{msg(46)});
    }
}

TEST_F(Loggers, AFolderThatCannotBeWrittenSaysSoOnceAndNeverSaved) {
    sim.tvLoggers()[0] = TvLogger("N", 1);
    receive(LoggerList::Tv);
    folder.write("Loggers", "a file where the folder should be");
    loggers.SaveAllLoggers(LoggerList::Tv);
    prompts.files = {folder.str() + "Loggers/n.logtv"};
    loggers.SaveRecordAs(kShowTv, saveAs);
    // Each names the file it could not write (and the system's reason).
    EXPECT_EQ(messagesNamingFiles(),
              (std::vector<std::string>{msg(18) + "\n" + folder.str() + "Loggers/N.logtv",
                                        msg(18) + "\n" + folder.str() + "Loggers/n.logtv"}));
}

TEST_F(Loggers, SaveAllAsAsksOnceAndNamesEachFile) {
    sim.modemLoggers()[0] = ModemLogger("CM");
    sim.modemLoggers()[1] = DownLogger("DS");
    receive(LoggerList::Modem);
    prompts.files = {folder.str() + "survey.north"};
    loggers.SaveAllLoggersAs(LoggerList::Modem, saveAll);
    EXPECT_TRUE(folder.exists("survey_CM.logmr"));
    EXPECT_TRUE(folder.exists("survey_DS.logds"));
    EXPECT_EQ(prompts.messages.back().text,
              "T152\nT200 " + folder.str().substr(0, folder.str().size() - 1));

    // Again: the first file exists; declining stops without a message.
    prompts.files = {folder.str() + "survey.north"};
    prompts.yesNoAnswers = {false};
    const std::size_t shown = prompts.messages.size();
    loggers.SaveAllLoggersAs(LoggerList::Modem, saveAll);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"T37|T30"});
    EXPECT_EQ(prompts.messages.size(), shown);

    // Cancelling the dialog writes nothing.
    loggers.SaveAllLoggersAs(LoggerList::Modem, saveAll);
    EXPECT_EQ(saveAll.fileName, "MyLoggers");
}

TEST_F(Loggers, SaveAsFromTheViewerAppendsTheExtension) {
    sim.tvLoggers()[0] = TvLogger("NORTH", 1);
    receive(LoggerList::Tv);
    loggers.FetchListedLogger(LoggerList::Tv, 0).value_or(kShowNothing);
    prompts.files = {folder.str() + "mine.txt", folder.str() + "again.logtv"};
    for (int k = 0; k < 3; ++k)  // the third is cancelled
        loggers.SaveRecordAs(kShowTv, saveAs);
    EXPECT_TRUE(folder.exists("mine.txt.logtv"));
    EXPECT_TRUE(folder.exists("again.logtv"));
    EXPECT_TRUE(messages().empty());
}

TEST_F(Loggers, OpenResults) {
    const std::string badRow =
        "0\r\nN\r\nP\r\nD\r\nT\r\nM\r\n0\r\n0\r\n1\r\n0,A,1,1,1,ANALOG,1,PAL/BG,1,1,1,";
    const struct {
        const char* name;
        std::string content;  // none: the file is missing
        std::vector<int> shown;
        std::string why;  // the line's text that says why the file was refused
    } cases[] = {
        {"x.LOGTV", "0", {11}, ""},
        // Files of the computer's: one message naming the file and why, never one that
        // blames the instrument.
        {"missing.logtv", {}, {1}, ""},
        // Never waited for, never read into memory.
        {"fifo.logtv", "{fifo}", {1}, ""},
        {"huge.logtv", "{1 GiB}", {43}, ""},
        {"k.logmr", "9\r\n", {43}, "\nT295"},
        {"n.logtv", "0\r\nN\r\nP\r\nD\r\nT\r\nM\r\n0\r\n0\r\n151", {43}, "\nT296"},
        {"r.logtv", badRow, {43}, "\nT293"},
    };
    for (const auto& c : cases) {
        prompts.messages.clear();
        const std::string path = folder.str() + c.name;
        if (c.content == "{fifo}") {
            if (test::MakeFifo(path).empty()) continue;  // no FIFOs on this system
        } else if (c.content == "{1 GiB}") {
            test::MakeSparseFile(path, 1LL << 30);
        } else if (!c.content.empty()) {
            folder.write(c.name, c.content);
        }
        prompts.files = {path};
        EXPECT_EQ(loggers.OpenLoggerFile(openDialog).value_or(kShowNothing), kShowNothing)
            << c.name;
        std::vector<std::string> expected;
        for (int code : c.shown)
            expected.push_back(msg(code) + (code == 11 ? "" : "\n" + path) + c.why);
        EXPECT_EQ(messagesNamingFiles(), expected) << c.name;
    }
    EXPECT_EQ(loggers.records.tv.fileName, folder.str() + "r.logtv");
    prompts.messages.clear();
    EXPECT_EQ(loggers.OpenLoggerFile(openDialog).value_or(kShowNothing),
              kShowNothing);  // cancelled: nothing
    EXPECT_TRUE(messages().empty());
}

TEST_F(Loggers, SavedFilesOpenAgain) {
    sim.modemLoggers()[0] = DownLogger("DS");
    receive(LoggerList::Modem);
    loggers.SaveAllLoggers(LoggerList::Modem);
    const auto saved = loggers.records.down;
    loggers.records.down = {};
    prompts.files = {folder.str() + "Loggers/DS.logds"};
    EXPECT_EQ(loggers.OpenLoggerFile(openDialog).value_or(kShowNothing), kShowDown);
    EXPECT_EQ(loggers.records.down.rows, saved.rows);
    EXPECT_EQ(loggers.records.down.version, saved.version);
}

}  // namespace
}  // namespace veltra

namespace veltra {
namespace {

TEST_F(Loggers, MarkedLoggersGoIntoSpreadsheetsBesideTheFileChosenOnce) {
    for (int n : {0, 1, 2})
        sim.tvLoggers()[static_cast<std::size_t>(n)] = TvLogger("L" + std::to_string(n), 2);
    receive(LoggerList::Tv);
    loggers.ExportMarkedCsv(LoggerList::Tv, saveAll);
    EXPECT_EQ(messages(), std::vector<std::string>{msg(36)});
    loggers.index().toggleMark(0);
    loggers.index().toggleMark(2);
    prompts.files = {folder.str() + "day.csv"};
    loggers.ExportMarkedCsv(LoggerList::Tv, saveAll);
    EXPECT_EQ(sim.commandsSent().size(), 2u * 3);  // two loggers, header and two records each
    EXPECT_NE(folder.read("day_L0.csv").find("# TV logger,L0\r\n"), std::string::npos);
    EXPECT_TRUE(folder.exists("day_L2.csv"));
    EXPECT_FALSE(folder.exists("day_L1.csv"));
    EXPECT_EQ(loggers.records.tv.fileName, "");  // a spreadsheet is not the logger's file
}

}  // namespace
}  // namespace veltra
