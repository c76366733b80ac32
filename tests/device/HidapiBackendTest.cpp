// The code a real instrument meets, hidapi's hidraw backend, against an emulated IO interface
// whose instrument is the simulator.
#include <gtest/gtest.h>

#include <chrono>

#include "EmulatedBus.h"
#include "link/HidapiBackend.h"
#include "link/Link.h"

namespace veltra {
namespace {

class RealPath : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!bus.unavailable().empty()) GTEST_SKIP() << bus.unavailable();
    }
    sim::Simulator sim;  // outlives the bus that serves it
    sim::Simulator other;
    test::EmulatedBus bus;  // before the backend: the test bed comes first
    HidapiBackend backend;
    Link link{backend, 300};  // a short time-out keeps the no-answer case quick
};

TEST_F(RealPath, FindsTheIOInterfaceAmongOtherDevices) {
    const std::string keyboard = bus.plugOther("USB Keyboard");
    const std::string locked = bus.plugOther("VELTRA-52", false);  // cannot be opened
    const std::string first = bus.plugInstrument(sim);
    other.identity().serial = "VT529999";
    bus.plugInstrument(other);
    const auto paths = backend.enumerate();
    EXPECT_EQ(paths.size(), 4u);
    EXPECT_EQ(backend.open(locked), nullptr);
    const auto device = backend.open(keyboard);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->productString(50), std::u32string(U"USB Keyboard"));

    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.modelName(), "VELTRA-52");
    EXPECT_EQ(link.GetSerial(), "VT520417");  // the first IO interface
    EXPECT_EQ(link.GetIOVersion(), "IO 2.05");
    EXPECT_EQ(link.GetVTVersion(), " 3.12");
}

TEST_F(RealPath, ReportsTravelWholeAndTimeOutsLeaveNothingBehind) {
    const std::string path = bus.plugInstrument(sim);
    ASSERT_TRUE(link.FindIOInterface());
    // 65 bytes out, report ID first, arrive whole; the answer comes back with byte 0 = 0x00.
    EXPECT_EQ(link.SendQuery("*?VE"), "?VEVELTRA-52 3.12\r");
    ASSERT_EQ(sim.traffic().size(), 2u);
    EXPECT_EQ(sim.traffic()[0].report, BuildCommandReport(kQueryCode, "*?VE"));

    // No answer: the read gives up after the time-out.
    sim.silence("*?PN");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link.QueryValue("*?PN"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    // The answer that comes late is not taken for the next command's.
    bus.sendInput(path, BuildCommandReport(kQueryCode, "*?PN"));
    bus.settle();
    EXPECT_EQ(link.GetSerial(), "VT520417");
}

TEST_F(RealPath, AnUnplugEndsReadsAndWritesAtOnce) {
    const std::string path = bus.plugInstrument(sim);
    ASSERT_TRUE(link.FindIOInterface());
    bus.unplug(path);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link.SendQuery("*?VE"));
    EXPECT_FALSE(link.SendQuery("*?VE"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(link.FindIOInterface());
    // Plugged in again, under a new node.
    bus.plugInstrument(sim);
    ASSERT_TRUE(link.FindIOInterface());
    EXPECT_EQ(link.GetSerial(), "VT520417");
}

}  // namespace
}  // namespace veltra
