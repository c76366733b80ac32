#include <gtest/gtest.h>

#include "channelplans/ChannelPlanTransfers.h"
#include "face/Messages.h"
#include "sim/Simulator.h"
#include "support/OperationRig.h"
#include "support/ScriptedProgress.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

using Commands = std::vector<std::string>;

// A plan file of `count` analog channels 6 MHz apart.
std::string PlanText(const std::string& name, int count, long long firstHz = 100000000) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(std::to_string(i) + ",C" + std::to_string(i) + "," +
                        std::to_string(firstHz + 6000000LL * i) +
                        ",8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO");
    }
    return FormatPlanFile(name, lines);
}

class Transfers : public ::testing::Test, protected test::OperationRig {
  protected:
    Transfers() { transfers.setCopiesFolder(folder.str()); }

    void addPlans(std::initializer_list<std::pair<const char*, int>> plans) {
        for (const auto& [name, count] : plans)
            ASSERT_TRUE(sim.addPlanFromFile(PlanText(name, count)));
    }
    void read() {
        transfers.ReadChannelPlans();
        sim.clearTraffic();
        prompts.messages.clear();
    }
    // Sends the files the open dialog gives, as the tab does.
    Ended send() {
        return transfers.SendPlanFiles([this] { return prompts.chooseOpenFiles(dialog); });
    }
    Commands sent() const { return sim.commandsSent(); }
    std::vector<std::string> planNames() {
        std::vector<std::string> names;
        for (const auto& plan : sim.plans())
            names.push_back(plan.name);
        return names;
    }

    test::RecordedProgress progress;
    PlanIndex list;
    ChannelPlanTransfers transfers{link, prompts, texts, progress, list, busy};
    FileDialogState dialog;
};

// ---------------------------------------------------------------------------------------------
// Reading

TEST_F(Transfers, ReadsEveryPlanIntoItsLocalCopy) {
    addPlans({{"A", 10}, {"EMPTY", 0}, {"C", 5}});
    transfers.ReadChannelPlans();
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "EMPTY", "C"}));
    EXPECT_TRUE(list.enabled());
    EXPECT_TRUE(list.sendAndDeleteEnabled());
    EXPECT_EQ(progress.max, 15);
    EXPECT_EQ(progress.pos, 15);
    EXPECT_EQ(progress.caption, "T45");
    EXPECT_EQ(progress.status, "T55");
    EXPECT_EQ(progress.warning, "T29");
    EXPECT_TRUE(progress.finished);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(folder.read("EMPTY.temp"), "EMPTY\r\n0");
    EXPECT_EQ(folder.read("C.temp"), PlanText("C", 5));
    // The copies are sendable plan files again: the instrument's plans survive a round trip.
    EXPECT_EQ(folder.read("A.temp"), PlanText("A", 10));
}

TEST_F(Transfers, ReadTrafficAsksEachCountThreeTimes) {
    addPlans({{"P", 1}});
    transfers.ReadChannelPlans();
    EXPECT_EQ(sent(), (Commands{"*?PN", "*?CS00", "*?PN", "*?CU0", "*?CS00", "*?CU0", "*?CU0",
                                "*?CF00000"}));
}

TEST_F(Transfers, QueriesWriteTheSlotThreeWays) {
    addPlans({{"A", 1}, {"B", 1}, {"C", 1}, {"D", 13}});
    ASSERT_TRUE(link.FindIOInterface());
    transfers.GetChannelPlanName(3);
    transfers.GetChannelQuantity(3);
    transfers.GetChannel(3, 12);
    EXPECT_EQ(sent(), (Commands{"*?CS03", "*?CU3", "*?CF03012"}));
    EXPECT_EQ(transfers.GetChannelPlanName(10), "error");
    EXPECT_EQ(transfers.GetChannel(100, 0), "error");
    EXPECT_EQ(transfers.GetChannel(0, 1000), "error");
    EXPECT_EQ(sent().size(), 3u);
    EXPECT_TRUE(messages().empty());  // the helpers say nothing; the read pass does
}

TEST_F(Transfers, InstrumentWithoutPlans) {
    transfers.ReadChannelPlans();
    EXPECT_TRUE(list.sendAndDeleteEnabled());
    EXPECT_TRUE(list.enabled());
    EXPECT_TRUE(list.names().empty());
    EXPECT_EQ(progress.prepared, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(Transfers, NoInstrument) {
    sim.setPlugged(false);
    transfers.ReadChannelPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
    EXPECT_FALSE(list.sendAndDeleteEnabled());
}

TEST_F(Transfers, BadChannelAnswerStopsThePassAndKeepsThePreviousCopy) {
    addPlans({{"A", 2}, {"B", 3}, {"C", 1}});
    transfers.ReadChannelPlans();
    folder.write("C.temp", "old copy");
    sim.plans()[1].channels[2].bandwidth = 10000000;
    sim.plans()[2].name = "C";
    transfers.ReadChannelPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(13)});
    EXPECT_EQ(folder.read("A.temp"), PlanText("A", 2));
    EXPECT_EQ(folder.read("B.temp"), PlanText("B", 3));  // the good copy from before
    EXPECT_EQ(folder.read("C.temp"), "old copy");        // later slots are not rewritten
    EXPECT_EQ(progress.status, "T55");
    EXPECT_TRUE(progress.finished);
}

TEST_F(Transfers, PlanNamesFromTheInstrumentStayInTheCopiesFolder) {
    addPlans({{"X", 1}});
    sim.plans()[0].name = "../../evil";
    transfers.ReadChannelPlans();
    EXPECT_TRUE(folder.exists(".._.._evil.temp"));
    EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path().parent_path() / "evil.temp"));
}

TEST_F(Transfers, UnplugInTheMiddleOfAReadPass) {
    addPlans({{"A", 20}});
    sim.unplugAtReport(10);
    transfers.ReadChannelPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(progress.status, "T58");
    EXPECT_FALSE(folder.exists("A.temp"));
    EXPECT_FALSE(busy.busy());
}

TEST_F(Transfers, SilentInstrumentEndsThePassWithMessage7) {
    addPlans({{"A", 3}});
    sim.silence("*?CF00001");
    transfers.ReadChannelPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
    EXPECT_TRUE(progress.finished);
}

TEST_F(Transfers, ASecondTransferIsRefusedWhileOneRuns) {
    addPlans({{"A", 3}});
    int nested = 0;
    prompts.onProcessEvents = [&] {
        if (nested++ == 0) transfers.ReadChannelPlans();
    };
    transfers.ReadChannelPlans();
    EXPECT_EQ(list.names(), std::vector<std::string>{"A"});
    const Commands commands = sent();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), std::string("*?CF00000")), 1);
}

// ---------------------------------------------------------------------------------------------
// Sending

TEST_F(Transfers, SendsAPlanIntoTheNextSlot) {
    addPlans({{"A", 1}, {"B", 1}});
    read();
    prompts.files = {folder.write("cable.c52", PlanText("CABLE", 12))};
    send();
    const Commands commands = sent();
    Commands expected = {"*?PN", "*?CS00", "*?CS01", "*PM01", "*PN03", "*CS02CABLE", "*CW02012"};
    PayloadConverter converter;
    PlanFileReader reader(PlanText("CABLE", 12));
    for (int k = 0; k < 12; ++k)
        expected.push_back("*CF02" + converter.ChannelLineToPayload(reader.nextLine(), k == 0));
    expected.push_back("*?PN");
    ASSERT_GE(commands.size(), expected.size());
    EXPECT_EQ(Commands(commands.begin(), commands.begin() + static_cast<long>(expected.size())),
              expected);
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "B", "CABLE"}));
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "B", "CABLE"}));
    EXPECT_EQ(folder.read("CABLE.temp"), PlanText("CABLE", 12));
    EXPECT_TRUE(messages().empty());
}

TEST_F(Transfers, NinePlansTakeOneMoreFile) {
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(sim.addPlanFromFile(PlanText("P" + std::to_string(i), 1)));
    read();
    prompts.files = {folder.write("a.c52", PlanText("NEWA", 1)),
                     folder.write("b.c52", PlanText("NEWB", 1))};
    send();
    const Commands commands = sent();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "*PN10"), commands.end());
    EXPECT_EQ(messages(), std::vector<std::string>{msg(16)});
    EXPECT_EQ(sim.plans().size(), 10u);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), std::string("*PM01")), 1);
}

TEST_F(Transfers, TenPlansRefuseBeforeTheDialog) {
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(sim.addPlanFromFile(PlanText("P" + std::to_string(i), 1)));
    prompts.files = {folder.write("a.c52", PlanText("NEWA", 1))};
    send();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(16)});
    EXPECT_EQ(sent(), Commands{"*?PN"});
    EXPECT_EQ(prompts.files.size(), 1u);  // no dialog was shown
}

TEST_F(Transfers, CancelledDialogSendsNothing) {
    send();
    EXPECT_EQ(sent(), Commands{"*?PN"});
}

TEST_F(Transfers, UnreadableFileStopsWithMessage1) {
    prompts.files = {folder.str() + "missing.c52", folder.write("b.c52", PlanText("B", 1))};
    send();
    EXPECT_EQ(messagesNamingFiles(),
              std::vector<std::string>{msg(1) + "\n" + folder.str() + "missing.c52"});
    EXPECT_EQ(sent(), Commands{"*?PN"});
}

// Every chosen file is sent whatever its name, but only when it has a plan's shape.
TEST_F(Transfers, AFileThatIsNoPlanIsRefusedBeforeAnythingIsSent) {
    const std::string line = "0,A,100000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO";
    const struct {
        std::string path;
        int code;
    } cases[] = {
        {folder.write("empty.c52", ""), 14},
        {folder.write("hello.c52", "hello\nworld"), 14},
        {folder.write("noname.c52", "\r\n1\r\n" + line), 14},
        {folder.write("longname.c52", std::string(56, 'N') + "\r\n1\r\n" + line), 14},
        {folder.write("badname.c52", "A\x01B\r\n1\r\n" + line), 14},
        {folder.write("count.c52", "P\r\n2\r\n" + line), 14},
        {folder.write("word.c52", "P\r\none\r\n" + line), 14},
        {folder.write("over.c52", "P\r\n151\r\n" + line), 14},
        {folder.write("longline.c52", "P\r\n1\r\n" + line + std::string(200, ' ') + "x"), 14},
        {folder.write("oneline.c52", std::string(300000, 'X')), 14},
        {test::MakeSparseFile(folder.str() + "huge.c52", 1LL << 30), 14},
        {test::MakeFifo(folder.str() + "fifo.c52"), 1},
        {test::kNullDevice, 1},
    };
    for (const auto& c : cases) {
        if (c.path.empty()) continue;  // no FIFOs on this system
        prompts.messages.clear();
        sim.clearTraffic();
        prompts.files = {c.path};
        send();
        EXPECT_EQ(messagesNamingFiles(), std::vector<std::string>{msg(c.code) + "\n" + c.path});
        EXPECT_EQ(sent(), Commands{"*?PN"}) << c.path;
    }
    EXPECT_TRUE(sim.plans().empty());
    // Blank lines after the last channel are not channels.
    prompts.files = {folder.write("ok.c52", "P\r\n1\r\n" + line + "\r\n\r\n")};
    send();
    EXPECT_EQ(sim.plans().size(), 1u);
}

TEST_F(Transfers, DuplicateNameIsRefusedBeforeAnythingIsSent) {
    addPlans({{"A", 1}, {"CABLE", 1}});
    read();
    prompts.files = {folder.write("cable.c52", PlanText("CABLE", 3))};
    send();
    // The message names the plan, as file messages name their file.
    EXPECT_EQ(messages(), std::vector<std::string>{msg(38) + "\nCABLE"});
    EXPECT_EQ(sent(), (Commands{"*?PN", "*?CS00", "*?CS01"}));
    EXPECT_EQ(sim.plans().size(), 2u);
}

TEST_F(Transfers, EmptyAndFullPlansCarryTheirCount) {
    prompts.files = {folder.write("e.c52", PlanText("EMPTY", 0)),
                     folder.write("f.c52", PlanText("FULL", 150))};
    send();
    const Commands commands = sent();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "*CW00000"), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "*CW01150"), commands.end());
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const std::string& c) { return c.rfind("*CF00", 0) == 0; }),
              0);
    EXPECT_EQ(sim.plans()[1].channels.size(), 150u);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Transfers, ABadChannelLineSendsNothingForItsFile) {
    const std::string good = "0,A,100000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO";
    const std::string plan = "BAD\r\n2\r\n" + good + "\r\n";
    const struct {
        std::string file;
        std::string warning;
        std::string detail;
    } cases[] = {
        // The third channel's frequency is below the second's.
        {"BAD\r\n3\r\n" + good +
             "\r\n1,B,200000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO\r\n"
             "2,C,150000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO",
         "Error 04.2", ""},
        // A line the editor accepts whose command would be cut at 60 characters.
        {plan + "1,ABCD,1000000000,9999999,-2500000,ANALOG,ON,NTSC/N,10,YES", "Error 15.1", "T169"},
        {plan + "1,LONGCHANNELNAME,200000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO",
         "Error 15.1", "T169"},
        // Names that would add a field on the wire.
        {plan + "1,A&B,200000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "Error 16.1", ""},
        {plan + "1,A,B,200000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "Error 03.1", ""},
    };
    for (const auto& c : cases) {
        sim.plans().clear();
        addPlans({{"KEEP", 2}, {"KEEP2", 1}});
        read();
        // A good file chosen before the bad one stays sent.
        prompts.files = {folder.write("good.c52", PlanText("GOOD", 2)),
                         folder.write("bad.c52", c.file)};
        send();
        EXPECT_EQ(messages(),
                  std::vector<std::string>{msg(14) + (c.detail.empty() ? "" : "\n" + c.detail)})
            << c.warning;
        EXPECT_EQ(progress.status, "T40");
        EXPECT_EQ(progress.warning, c.warning);
        EXPECT_TRUE(progress.finished);
        EXPECT_EQ(progress.pos, progress.max);
        EXPECT_EQ(planNames(), (std::vector<std::string>{"KEEP", "KEEP2", "GOOD"}));
        EXPECT_EQ(list.names(), (std::vector<std::string>{"KEEP", "KEEP2", "GOOD"}));
        // After the good file's read pass only queries went out.
        const Commands commands = sent();
        const auto lastRead = std::find(commands.rbegin(), commands.rend(), "*?CF02001");
        ASSERT_NE(lastRead, commands.rend());
        for (auto it = commands.rbegin(); it != lastRead; ++it)
            EXPECT_EQ(it->rfind("*?", 0), 0u) << *it;
    }
}

TEST_F(Transfers, UnplugInTheMiddleOfASend) {
    addPlans({{"KEEP", 2}});
    read();
    prompts.files = {folder.write("new.c52", PlanText("NEW", 20))};
    sim.unplugAtReport(12);
    send();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
    EXPECT_EQ(progress.status, "T58");
    EXPECT_TRUE(progress.finished);
    EXPECT_FALSE(busy.busy());
    EXPECT_EQ(folder.read("KEEP.temp"), PlanText("KEEP", 2));
}

// ---------------------------------------------------------------------------------------------
// Deleting

TEST_F(Transfers, DeletesTheSelectedPlanAndWritesBackTheOthers) {
    addPlans({{"A", 2}, {"B", 3}, {"C", 1}, {"D", 4}});
    read();
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"T37|T38"});
    const Commands commands = sent();
    const Commands head = {"*?PN", "*PM00", "*EP", "*PN03", "*CS00A", "*CW00002"};
    EXPECT_EQ(Commands(commands.begin(), commands.begin() + 6), head);
    EXPECT_NE(std::find(commands.begin(), commands.end(), "*CS01C"), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "*CS02D"), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "*PM01"), commands.end());
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(sim.plans()[2].channels.size(), 4u);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(Transfers, DeletingEveryPlan) {
    addPlans({{"A", 2}, {"B", 3}});
    read();
    list.setSelected(0, true);
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    const Commands commands = sent();
    EXPECT_EQ(Commands(commands.begin(), commands.begin() + 5),
              (Commands{"*?PN", "*PM00", "*EP", "*PN00", "*PM01"}));
    EXPECT_EQ(progress.max, 0);
    EXPECT_TRUE(list.names().empty());
    EXPECT_TRUE(sim.plans().empty());
}

TEST_F(Transfers, NothingSelectedAsksFirstThenRefuses) {
    addPlans({{"A", 2}});
    read();
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(messages(), std::vector<std::string>{msg(17)});
    EXPECT_EQ(sent(), Commands{"*?PN"});
}

TEST_F(Transfers, AnsweringNoSendsNothing) {
    addPlans({{"A", 2}});
    read();
    list.setSelected(0, true);
    prompts.yesNoAnswers = {false};
    transfers.DeleteSelectedPlans();
    EXPECT_TRUE(sent().empty());
}

TEST_F(Transfers, ABadKeptCopyLeavesTheInstrumentUntouched) {
    addPlans({{"A", 2}, {"B", 3}, {"C", 2}});
    read();
    // C's copy is not sorted by frequency.
    folder.write("C.temp",
                 "C\r\n2\r\n0,X,300000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO\r\n"
                 "1,Y,200000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO");
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(14) + "\n" + folder.str() + "C.temp"});
    EXPECT_EQ(sent(), Commands{"*?PN"});
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(Transfers, AMissingKeptCopyLeavesTheInstrumentUntouched) {
    addPlans({{"A", 2}, {"B", 3}});
    read();
    std::filesystem::remove(folder.path() / "A.temp");
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(13) + "\n" + folder.str() + "A.temp"});
    EXPECT_EQ(sent(), Commands{"*?PN"});
    EXPECT_EQ(sim.plans().size(), 2u);
}

TEST_F(Transfers, PlansOfOneFileNameKeepACopyEachAndGoBackWhole) {
    // Two plans of one name, and two whose names give one file name: each has its own copy, so
    // deleting a third plan sends both back as they were.
    for (const auto& [first, second] : {std::pair<std::string, std::string>{"A", "A"},
                                        std::pair<std::string, std::string>{"a/b", "a_b"}}) {
        sim.plans().clear();
        addPlans({{"X", 1}, {"Y", 2}, {"Z", 3}});
        sim.plans()[0].name = first;
        sim.plans()[1].name = second;
        read();
        list.setSelected(2, true);
        prompts.yesNoAnswers = {true};
        EXPECT_TRUE(transfers.DeleteSelectedPlans()) << first;
        EXPECT_TRUE(messages().empty()) << first;
        ASSERT_EQ(planNames(), (std::vector<std::string>{first, second}));
        EXPECT_EQ(sim.plans()[0].channels.size(), 1u);
        EXPECT_EQ(sim.plans()[1].channels.size(), 2u);
        prompts.messages.clear();
    }
}

// A name in bytes that are not printable text (Latin-1 from other software, a tab, ESC): said
// with its slot, listed escaped; every other plan is used as ever, and only a delete that would
// have to send it back is refused.
TEST_F(Transfers, AGarbledPlanNameBlocksOnlyWhatWouldSendItBack) {
    addPlans({{"A", 1}, {"B", 2}, {"C", 3}});
    sim.plans()[1].name =
        "ESPA\xD1"
        "A";
    transfers.ReadChannelPlans();
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "ESPA\\xD1A", "C"}));
    EXPECT_EQ(messages(), std::vector<std::string>{"T299"});
    EXPECT_EQ(folder.read("ESPA_xD1A.temp"), PlanText("ESPA\\xD1A", 2));
    prompts.messages.clear();
    // Deleting A would have to send it back: refused before the instrument changes.
    sim.clearTraffic();
    list.setSelected(0, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(45) + "\nT299"});
    EXPECT_EQ(sent(), Commands{"*?PN"});
    // Deleting it goes on: A and C go back.
    prompts.messages.clear();
    list.setSelected(0, false);
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    EXPECT_TRUE(transfers.DeleteSelectedPlans());
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "C"}));
}

// The copies are written after every change of the plans: a data folder that cannot take them is
// found out before the instrument changes; reading and listing go on without them.
TEST_F(Transfers, AReadOnlyDataFolderIsFoundBeforeTheInstrumentChanges) {
    addPlans({{"A", 1}, {"B", 2}});
    std::string readOnly = folder.str() + "copies";
    std::filesystem::create_directories(readOnly);
    std::filesystem::permissions(
        readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // Permissions do not stop root: a folder under a file cannot be written by anyone.
    if (CanWriteInFolder(readOnly)) readOnly = folder.write("file", "x") + "/copies";
    transfers.setCopiesFolder(readOnly);
    EXPECT_TRUE(transfers.ReadChannelPlans());
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(transfers.planTexts()[1], PlanText("B", 2));
    EXPECT_EQ(messagesNamingFiles(), std::vector<std::string>{msg(18) + "\nT301"});
    sim.clearTraffic();
    prompts.messages.clear();
    prompts.files = {folder.write("c.c52", PlanText("C", 1))};
    EXPECT_FALSE(send());
    list.setSelected(0, true);
    prompts.yesNoAnswers = {true};
    EXPECT_FALSE(transfers.DeleteSelectedPlans());
    EXPECT_EQ(messages(), (std::vector<std::string>{msg(18) + "\nT301", msg(18) + "\nT301"}));
    EXPECT_EQ(sent(), (Commands{"*?PN", "*?PN"}));
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "B"}));
    std::filesystem::permissions(folder.str() + "copies", std::filesystem::perms::owner_all);
}

// A plan file saved by an editor that writes a byte-order mark: the mark is no part of the name.
TEST_F(Transfers, AByteOrderMarkIsNotSentAsPartOfTheName) {
    prompts.files = {folder.write("bom.c52", "\xEF\xBB\xBF" + PlanText("BOM", 1))};
    EXPECT_TRUE(send());
    EXPECT_EQ(planNames(), std::vector<std::string>{"BOM"});
}

// The read-back decides: an instrument that keeps fewer channels than were sent is no success.
TEST_F(Transfers, FewerChannelsKeptThanSentIsAFailure) {
    addPlans({{"A", 1}});
    read();
    sim.dropChannelWrites(1);
    prompts.files = {folder.write("b.c52", PlanText("B", 3))};
    EXPECT_FALSE(send());
    EXPECT_EQ(messages(), std::vector<std::string>{msg(44) + "\nT298"});
}

TEST_F(Transfers, ADeleteWritesBackOnlyCopiesOfTheLastCompleteRead) {
    addPlans({{"A", 2}, {"B", 3}, {"C", 1}});
    // Never read in this run: copies left from an earlier run are not trusted.
    for (const char* plan : {"A", "B", "C"})
        folder.write(std::string(plan) + ".temp", PlanText(plan, 1));
    list.add("A"), list.add("B"), list.add("C");
    list.setSelected(0, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(41)});
    EXPECT_EQ(sent(), Commands{"*?PN"});

    // A read pass that stops at B leaves C's copy stale.
    sim.plans()[1].channels[2].bandwidth = 10000000;
    read();
    list.setSelected(0, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(41)});
    EXPECT_EQ(sent(), Commands{"*?PN"});
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(Transfers, AnUnplugDuringTheWriteBackIsFinishedFromItsNote) {
    addPlans({{"A", 2}, {"B", 3}, {"C", 30}});
    read();
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    sim.unplugAtReport(20);
    transfers.DeleteSelectedPlans();
    EXPECT_EQ(messages(), std::vector<std::string>{msg(7)});
    EXPECT_EQ(progress.status, "T58");
    EXPECT_TRUE(progress.finished);
    // The copies survive whole, and the note says what is still to go back.
    EXPECT_EQ(folder.read("C.temp"), PlanText("C", 30));
    const std::string note = folder.str() + "plans-to-send-back.txt";
    ASSERT_EQ(transfers.PendingWriteBack(), note);
    sim.setPlugged(true);
    sim.clearTraffic();
    prompts.messages.clear();

    // Nothing may change the plans before the write-back is finished.
    list.setSelected(0, true);
    list.setSelected(1, false);
    list.setSelected(2, false);
    transfers.DeleteSelectedPlans();
    send();
    transfers.EraseAllChannelPlans();
    EXPECT_EQ(messages(), std::vector<std::string>(3, msg(42) + "\n" + note));
    EXPECT_TRUE(sent().empty());

    // Declined, it stays; accepted, the kept plans go back whole and the note goes.
    prompts.messages.clear();
    prompts.yesNoAnswers = {false};
    transfers.FinishWriteBack();
    EXPECT_EQ(transfers.PendingWriteBack(), note);
    prompts.yesNoAnswers = {true};
    transfers.FinishWriteBack();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(planNames(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(sim.plans()[1].channels.size(), 30u);
    EXPECT_FALSE(transfers.PendingWriteBack());
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "C"}));
}

TEST_F(Transfers, PlanNamesWithABlankSurviveADelete) {
    addPlans({{"A", 2}, {"B", 3}});
    sim.plans()[0].name = "MY PLAN";
    read();
    EXPECT_EQ(folder.read("MY PLAN.temp"), PlanText("MY PLAN", 2));
    list.setSelected(1, true);
    prompts.yesNoAnswers = {true};
    transfers.DeleteSelectedPlans();
    EXPECT_TRUE(messages().empty());
    ASSERT_EQ(planNames(), std::vector<std::string>{"MY PLAN"});
    EXPECT_EQ(sim.plans()[0].channels.size(), 2u);
}

TEST_F(Transfers, EraseAll) {
    addPlans({{"A", 2}, {"B", 3}});
    read();
    list.add("A");
    prompts.yesNoAnswers = {false, true};
    transfers.EraseAllChannelPlans();
    EXPECT_TRUE(sent().empty());
    transfers.EraseAllChannelPlans();
    EXPECT_EQ(prompts.questions.back(), "T37|T39");
    EXPECT_EQ(sent(), (Commands{"*PM00", "*EP"}));
    EXPECT_TRUE(sim.plans().empty());
    EXPECT_TRUE(list.names().empty());
    EXPECT_EQ(sim.traffic().back().report[2], kCommandCode);  // "*EP" goes with report code 22
    EXPECT_TRUE(folder.exists("A.temp"));
}

}  // namespace
}  // namespace veltra
