#include <gtest/gtest.h>

#include "link/Link.h"
#include "sim/Simulator.h"

namespace veltra {
namespace {

class LinkTest : public ::testing::Test {
  protected:
    sim::Simulator sim;
    Link link{sim};
};

TEST_F(LinkTest, FindsTheInterfaceByItsProductString) {
    sim.addOtherDevice("Keyboard", true);
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.modelName(), "VELTRA-52");
    EXPECT_EQ(sim.openHandles(), 1);
    // A device the enumeration names otherwise is never opened.
    EXPECT_EQ(sim.opens(), 1);
}

TEST_F(LinkTest, NearMissesAreNotRecognised) {
    sim.setPlugged(false);
    for (const char* product : {"VELTRA-52 ", "veltra-52", "VELTRA-521", "VELTRA-5", ""})
        sim.addOtherDevice(product);
    EXPECT_FALSE(link.FindIOInterface());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(sim.openHandles(), 0);
    // Listed with the product's name in theirs: opened and asked.
    EXPECT_EQ(sim.opens(), 2);
}

TEST_F(LinkTest, NoDeviceAndNoHidLibrary) {
    sim.setPlugged(false);
    EXPECT_FALSE(link.FindIOInterface());
    sim.setPlugged(true);
    sim.setHidAvailable(false);
    EXPECT_FALSE(link.FindIOInterface());
    EXPECT_EQ(sim.openHandles(), 0);
}

TEST_F(LinkTest, ProductStringsAboveAsciiAreNarrowed) {
    EXPECT_EQ(NarrowProductString(U"VELTRA-52"), "VELTRA-52");
    EXPECT_EQ(NarrowProductString(U"VELTR\u00C5-52"), "VELTR?-52");
}

TEST_F(LinkTest, TheFirstOfTwoInterfacesWins) {
    sim.addSecondInterface("SECOND01");
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.GetSerial(), "VT520417");
}

TEST_F(LinkTest, ManySearchesLeaveOneOpenHandle) {
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(sim.openHandles(), 1);
    sim.setPlugged(false);
    EXPECT_FALSE(link.FindIOInterface());
    EXPECT_EQ(sim.openHandles(), 0);
}

TEST_F(LinkTest, IdentityQueries) {
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.GetSerial(), "VT520417");
    EXPECT_EQ(link.GetIOVersion(), "IO 2.05");
    EXPECT_EQ(link.GetVTVersion(), " 3.12");
    sim.identity().vtVersion = "";
    sim.identity().product = "VELTRA-52";
    EXPECT_EQ(link.GetVTVersion(), "");
    EXPECT_EQ(sim.commandsSent(), (std::vector<std::string>{"*?NS", "", "*?VE", "*?VE"}));
}

TEST_F(LinkTest, SendQueryReturnsTheAnswerFromByteFive) {
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.SendQuery("*?VE"), "?VEVELTRA-52 3.12\r");
}

TEST_F(LinkTest, ASilentDeviceEndsTheExchangeInsteadOfFreezing) {
    ASSERT_TRUE(link.FindIOInterface());
    sim.silence("*?NS");
    EXPECT_EQ(link.SendQuery("*?NS"), std::nullopt);
    EXPECT_EQ(link.GetSerial(), "");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.GetVTVersion(), " 3.12");
}

TEST_F(LinkTest, UnplugDuringAnExchange) {
    ASSERT_TRUE(link.FindIOInterface());
    sim.unplugAtReport(2);
    EXPECT_EQ(link.GetSerial(), "VT520417");
    EXPECT_EQ(link.SendQuery("*?VE"), std::nullopt);
    EXPECT_EQ(link.SendQuery("*?VE"), std::nullopt);
    EXPECT_FALSE(link.FindIOInterface());
}

TEST_F(LinkTest, SendCommandSearchesFirst) {
    sim.setPlugged(false);
    EXPECT_EQ(link.SendCommand("*RS2"), 0);
    EXPECT_TRUE(sim.commandsSent().empty());
    sim.setPlugged(true);
    EXPECT_EQ(link.SendCommand("*RS2"), 1);
    sim.setStatus("*RS0", 0);
    EXPECT_EQ(link.SendCommand("*RS0"), 0);
    EXPECT_EQ(sim.traffic().front().report[2], kCommandCode);
}

TEST_F(LinkTest, EraseStepStatuses) {
    using E = Link::EraseStatus;
    ASSERT_TRUE(link.FindIOInterface());
    const struct {
        std::uint8_t status;
        E result;
    } cases[] = {{1, E::Accepted}, {2, E::Warning}, {0, E::Refused}, {3, E::Other}};
    for (const auto& c : cases) {
        sim.setStatus("*FE", c.status);
        EXPECT_EQ(link.EraseStep(4), c.result) << int(c.status);
    }
    EXPECT_EQ(sim.commandsSent().back(), "*FE4");
    sim.silence("*FE");
    EXPECT_EQ(link.EraseStep(5), E::Refused);  // no answer
}

TEST_F(LinkTest, SendRecordStatuses) {
    ASSERT_TRUE(link.FindIOInterface());
    const std::vector<std::uint8_t> record = {'*', 'S', 'X', 'S', '1', 0};
    for (std::uint8_t status : {1, 2, 3}) {
        sim.setStatus("*SXS", status);
        EXPECT_EQ(link.SendRecord(record), status);
    }
    for (std::uint8_t status : {0, 4, 255}) {
        sim.setStatus("*SXS", status);
        EXPECT_EQ(link.SendRecord(record), 0);
    }
}

TEST_F(LinkTest, ResyncAfterTheClockReport) {
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.ResyncAnswers("VT520417"), 0);
    ASSERT_TRUE(link.SetClock("09:05:03/07-03-2014"));
    EXPECT_EQ(sim.pendingAnswers(), 1u);
    // The "*?NS" reads the clock's answer, the next read its own: back in step, nothing left
    // queued for the next command.
    EXPECT_EQ(link.ResyncAnswers("VT520417"), 1);
    EXPECT_EQ(sim.pendingAnswers(), 0u);
    EXPECT_EQ(sim.commandsSent(),
              (std::vector<std::string>{"*?NS", "*SK09:05:03/07-03-2014", "*?NS"}));
    EXPECT_EQ(link.SendQuery("*?VE"), "?VEVELTRA-52 3.12\r");
}

TEST_F(LinkTest, ResyncAsksAgainWhenTheClockAnswerNeverCame) {
    ASSERT_TRUE(link.FindIOInterface());
    sim.silence("*SK");
    ASSERT_TRUE(link.SetClock("09:05:03/07-03-2014"));
    EXPECT_EQ(link.ResyncAnswers("VT520417"), 0);
    EXPECT_EQ(sim.pendingAnswers(), 0u);
}

TEST_F(LinkTest, ResyncTakesTheWholeSerialNumber) {
    // Serial numbers shorter or longer than eight characters come back into step at once; one
    // that only begins like the instrument's is not it.
    const struct {
        std::string instrument, shown;
        int extra;
    } cases[] = {{"VT52041", "VT52041", 1},
                 {"VT5204170", "VT5204170", 1},
                 {"VT520417", "VT520417", 1},
                 {"VT520417", "VT52041", -1}};
    for (const auto& c : cases) {
        sim.identity().serial = c.instrument;
        ASSERT_TRUE(link.FindIOInterface());
        sim.clearTraffic();
        ASSERT_TRUE(link.SetClock("09:05:03/07-03-2014"));
        EXPECT_EQ(link.ResyncAnswers(c.shown), c.extra) << c.shown;
        if (c.extra > 0) {
            EXPECT_EQ(sim.commandsSent().size(), 2u) << c.shown;
        }
        while (sim.pendingAnswers() > 0)
            link.ResyncAnswers(c.instrument);
    }
}

TEST_F(LinkTest, ResyncGivesUpWithinItsBound) {
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.ResyncAnswers("OTHER001"), -1);
    EXPECT_LE(sim.commandsSent().size(), static_cast<std::size_t>(Link::kMaxResyncTries));
}

}  // namespace
}  // namespace veltra
