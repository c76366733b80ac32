#include <gtest/gtest.h>

#include "channelplans/ChannelRecord.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

TEST(Codes, SystemsAndModulationsInTheirOrder) {
    EXPECT_EQ(CodeOf(kAnalogSystems, "PAL/BG"), 0);
    EXPECT_EQ(CodeOf(kAnalogSystems, "NTSC/N"), 17);
    EXPECT_EQ(CodeOf(kAnalogSystems, "pal/bg"), -1);
    EXPECT_EQ(CodeOf(kDigitalSystems, "ITU J.83/C"), 2);
    EXPECT_EQ(CodeOf(kDigitalSystems, "ITU J.83/C "), -1);
    EXPECT_EQ(CodeOf(kModulations, "QPSK"), 5);
    EXPECT_EQ(CodeOf(kModulations, "QAM32u"), 6);
    EXPECT_EQ(CodeOf(kModulations, "QAM8"), 7);
    EXPECT_EQ(TypeCode(false, false), 0);
    EXPECT_EQ(TypeCode(true, false), 1);
    EXPECT_EQ(TypeCode(false, true), 128);
    EXPECT_EQ(TypeCode(true, true), 129);
}

TEST(ChannelAnswerToLine, ConvertsOrRefuses) {
    const struct {
        std::string answer;
        std::string line;
    } cases[] = {
        {":D1&100000000&8000000&0&129&0&2&6875&3&1",
         ",D1,100000000,8000000,0,DIGITAL,ON,DVB-C,QAM64,6875,3,YES"},
        {":CH1&48250000&7000000&0&128&0&7&9999&0&0",
         ",CH1,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO"},
        {":X&48250000&7000000&0&1&1&5&1000&0&0",
         ",X,48250000,7000000,0,DIGITAL,OFF,ITU J.83/B,QPSK,1000,NO GROUP,NO"},
        // An analog channel's flag is carried as any non-zero value; its group must be one the
        // copy can send back, as must its name and its length.
        {":A&48250000&7000000&-2500000&0&17&0&0&10&5",
         ",A,48250000,7000000,-2500000,ANALOG,OFF,NTSC/N,10,YES"},
        {":A&48250000&7000000&-2500000&0&17&0&0&12&5", "error"},
        {":A,B&48250000&7000000&0&0&0&0&0&0&0", "error"},
        {":LONGCHANNELNAME&1000000000&9999999&-2500000&0&0&0&0&0&0", "error"},
        {"?&5000000&300000&2500000&0&0&0&0&0&0",
         ",,5000000,300000,2500000,ANALOG,OFF,PAL/BG,NO GROUP,NO"},
        {":F&4999999&7000000&0&0&0&0&0&0&0", "error"},
        {":F&1020000001&7000000&0&0&0&0&0&0&0", "error"},
        {":B&48250000&10000000&0&0&0&0&0&0&0", "error"},
        {":O&48250000&7000000&2500001&0&0&0&0&0&0", "error"},
        {":S&48250000&7000000&0&0&18&0&0&0&0", "error"},
        {":S&48250000&7000000&0&1&3&0&6875&0&0", "error"},
        {":M&48250000&7000000&0&1&0&8&6875&0&0", "error"},
        {":R&48250000&7000000&0&1&0&0&7201&0&0", "error"},
        {":G&48250000&7000000&0&1&0&0&6875&11&0", "error"},
        {":Y&48250000&7000000&0&1&0&0&6875&0&2", "error"},
        {":N&48250000&7000000", "error"},
        {"", "error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChannelAnswerToLine(c.answer), c.line) << c.answer;
}

TEST(ChannelLineToPayload, SingleLines) {
    const struct {
        std::string line;
        std::string payload;
    } cases[] = {
        {"1,D1,100000000,8000000,0,DIGITAL,ON,DVB-C,QAM64,6875,3,YES",
         "001&D1&100000000&8000000&0&129&0&2&6875&03&01"},
        {"5,AB,100000000,8000000,-250000,DIGITAL,OFF,ITU J.83/B,QAM256,5057,NO GROUP,NO",
         "005&AB&100000000&8000000&-250000&1&1&4&5057&00&00"},
        // Analog: ten fields, still eleven parts, with modulation 2 and symbol rate 6875.
        {"0,CH1,48250000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO",
         "000&CH1&48250000&7000000&0&0&0&2&6875&00&00"},
        {"42,X,48250000,7000000,0,ANALOG,ON,SECAM/L,10,YES\r\n",
         "042&X&48250000&7000000&0&128&8&2&6875&10&01"},
        {"150,X,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,YES\n",
         "150&X&48250000&7000000&0&128&0&2&6875&00&01"},
        {"151,X,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error01"},
        {"x,X,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error01"},
        {"", "error01"},
        {"0,X,4999999,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error03"},
        {"0,X,48250000,299999,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error05"},
        {"0,X,48250000,7000000,-2500001,ANALOG,ON,PAL/BG,NO GROUP,NO", "error06"},
        {"0,X,48250000,7000000,0,analog,ON,PAL/BG,NO GROUP,NO", "error07"},
        {"0,X,48250000,7000000,0,ANALOG,on,PAL/BG,NO GROUP,NO", "error08"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,PAL/BG,QAM64,6875,NO GROUP,NO", "error09"},
        {"0,X,48250000,7000000,0,ANALOG,ON,DVB-C,NO GROUP,NO", "error10"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,DVB-C,QAM1024,6875,NO GROUP,NO", "error11"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,DVB-C,QAM64,999,NO GROUP,NO", "error12"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,DVB-C,QAM64,6875,0,NO", "error13"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,DVB-C,QAM64,6875,11,NO", "error13"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,DVB-C,QAM64,6875,1,yes", "error14"},
        {"0,X,48250000,7000000,0,DIGITAL,ON,DVB-C,QAM64,6875,1,YES ", "error14"},
        // A command of 61 characters would be cut; 60 fit.
        {"0,ABCD,1000000000,9999999,-2500000,ANALOG,ON,NTSC/N,10,YES", "error15"},
        {"0,ABC,1000000000,9999999,-2500000,ANALOG,ON,NTSC/N,10,YES",
         "000&ABC&1000000000&9999999&-2500000&128&17&2&6875&10&01"},
        {"0,X&Y,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error16"},
        // Control bytes would cut the command where the instrument reads the name.
        {std::string("0,X\0Y,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", 53), "error16"},
        {"0,X\x1BY,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error16"},
        {"0,X\x7F,48250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", "error16"},
    };
    for (const auto& c : cases) {
        PayloadConverter converter;
        EXPECT_EQ(converter.ChannelLineToPayload(c.line, true), c.payload) << c.line;
    }
}

TEST(ChannelLineToPayload, OrderWithinAPlan) {
    const std::string a = "0,A,100000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO";
    const std::string b = "1,B,100000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO";
    const std::string c = "1,C,108000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO";
    const std::string d = "3,D,108000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO";
    PayloadConverter converter;
    EXPECT_FALSE(IsErrorMarker(converter.ChannelLineToPayload(a, true)));
    EXPECT_EQ(converter.ChannelLineToPayload(b, false), "error04");  // same frequency
    // The failed line already moved the index on: index 1 again repeats it.
    EXPECT_EQ(converter.ChannelLineToPayload(c, false), "error02");
    EXPECT_FALSE(IsErrorMarker(converter.ChannelLineToPayload(d, false)));  // gaps are allowed
    // `first` starts over.
    EXPECT_FALSE(IsErrorMarker(converter.ChannelLineToPayload(a, true)));
}

TEST(PlanFile, LayoutAndReading) {
    const std::string text = FormatPlanFile("CABLE", {"0,A,1", "1,B,2"});
    EXPECT_EQ(text, "CABLE\r\n2\r\n0,A,1\r\n1,B,2");
    EXPECT_EQ(FormatPlanFile("EMPTY", {}), "EMPTY\r\n0");

    PlanFileReader crlf(text);
    EXPECT_EQ(crlf.name(), "CABLE");
    EXPECT_EQ(crlf.count(), 2);
    EXPECT_EQ(crlf.nextLine(), "0,A,1");
    EXPECT_EQ(crlf.nextLine(), "1,B,2");
    EXPECT_EQ(crlf.nextLine(), "");

    PlanFileReader lf("MY NAME\n 3 rest of line\nline one\nline two");
    EXPECT_EQ(lf.name(), "MY NAME");  // the whole line: the instrument's names may hold blanks
    EXPECT_EQ(lf.count(), 3);
    EXPECT_EQ(lf.nextLine(), "line one");
    EXPECT_EQ(lf.nextLine(), "line two");
    EXPECT_EQ(lf.nextLine(), "");

    // A line longer than 199 characters is read in two pieces.
    PlanFileReader longLine("L\n2\n" + std::string(250, 'x'));
    EXPECT_EQ(longLine.nextLine(), std::string(199, 'x'));
    EXPECT_EQ(longLine.nextLine(), std::string(51, 'x'));
}

TEST(LocalPlanCopies, NamesNeverLeaveTheirFolder) {
    const struct {
        std::string name;
        std::string file;
    } cases[] = {
        {"CABLE", "CABLE.temp"}, {"../x", ".._x.temp"},  {"a/b\\c", "a_b_c.temp"},
        {"..", "_.temp"},        {".", "_.temp"},        {"", "_.temp"},
        {"A:B*?", "A_B__.temp"}, {"T\tAB", "T_AB.temp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LocalPlanCopyPath("", {c.name}, 0), c.file) << c.name;
    // Plans whose names are one file name each keep a copy of their own, numbered in slot order.
    const std::vector<std::string> plans = {"SAME", "X/Y", "SAME", "X_Y", "same", "ESPA\\xD1A"};
    const char* copies[] = {"/tmp/plans/SAME.temp",     "/tmp/plans/X_Y.temp",
                            "/tmp/plans/SAME (2).temp", "/tmp/plans/X_Y (2).temp",
                            "/tmp/plans/same (3).temp", "/tmp/plans/ESPA_xD1A.temp"};
    for (std::size_t slot = 0; slot < plans.size(); ++slot)
        EXPECT_EQ(LocalPlanCopyPath("/tmp/plans", plans, slot), copies[slot]) << slot;
}

}  // namespace
}  // namespace veltra
