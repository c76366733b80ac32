#include <gtest/gtest.h>

#include "firmware/FirmwareFiles.h"

namespace veltra {
namespace {

TEST(ComputeValue, UpperCaseHexOnly) {
    EXPECT_EQ(compute_value("1F", 2), 0x1Fu);
    EXPECT_EQ(compute_value("FFFF", 4), 0xFFFFu);
    EXPECT_EQ(compute_value("1f", 2), 0x10u);  // lower case counts 0
    EXPECT_EQ(compute_value("G7", 2), 0x07u);
    EXPECT_EQ(compute_value("A", 2), 0xA0u);  // a missing character counts 0
}

TEST(HexCheck, RecordsAndTheEndRecord) {
    const std::string end = ":00000001FF";
    const struct {
        const char* name;
        std::string file;
        bool ok;
    } cases[] = {
        {"DataAndEnd", ":0410000001020304E2\r\n" + end, true},
        {"ExtendedAddress", ":020000040001F9\n:0400000001020304F2\n" + end + "\n", true},
        {"NoEndRecord", ":0410000001020304E2\n", false},
        {"WrongChecksum", ":0410000001020304E3\n" + end, false},
        {"LowerCase", ":0410000001020304e2\n" + end, false},
        {"Type2", ":020000021000EC\n" + end, false},
        {"Type3", ":0400000300003800C1\n" + end, false},
        {"Type5", ":04000005000000CD2A\n" + end, false},
        {"NoColon", "0410000001020304E2\n" + end, false},
        {"OddLength", ":0410000001020304E\n" + end, false},
        {"CountDisagrees", ":0510000001020304E1\n" + end, false},
        {"EmptyLine", ":0410000001020304E2\n\n" + end, false},
        {"RecordsAfterTheEndAreChecked", end + "\n:0410000001020304E3", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProvaCheckSum(c.file), c.ok) << c.name;
}

TEST(HexImage, OnlyTheFirmwareAreaIsLoaded) {
    const FirmwareImage image = LoadHexImage(
        ":04000000AABBCCDDEE\n"  // below 0x1000: skipped
        ":0410000001020304E2\n"  // 0x1000
        ":020000040001F9\n"      // extension 1: addresses 0x10000..
        ":0400100005060708D2\n"  // 0x10010
        ":00000001FF\n"
        ":0420000009090909C4\n");  // after the end record: ignored
    EXPECT_EQ(image.bytes[0], 0);
    EXPECT_EQ(image.bytes[0x1000], 1);
    EXPECT_EQ(image.bytes[0x1003], 4);
    EXPECT_EQ(image.bytes[0x10010], 5);
    EXPECT_EQ(image.bytes[0x2000], 0);
    EXPECT_EQ(image.end, 0x10014u);
    // A record running past 0x20000 is skipped whole.
    EXPECT_EQ(LoadHexImage(":020000040001F9\n:04FFFE0001020304FB\n:00000001FF").end, 0u);
}

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

TEST(SRecords, CheckAndConvert) {
    const struct {
        std::string file;
        bool ok;
    } cases[] = {
        {"S00F000068656C6C6F202020202000003C\nS1130000285F245F2212226A000424290008237C2A\nS9030000F"
         "C",
         true},
        {"S1130000285F245F2212226A000424290008237C2B", false},  // checksum
        {"S1130000285f245F2212226A000424290008237C2A", false},  // lower case
        {"S1130000285F245F2212226A000424290008237C", false},    // count
        {"X9030000FC", false},
        {"S9030000F", false},
        {"", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckSRecordFile(c.file), c.ok) << c.file;
    EXPECT_EQ(SRecordToRecord("S9030000FC"),
              (std::vector<std::uint8_t>{'*', 'S', 'X', 'S', '9', 0x03, 0x00, 0x00, 0xFC}));
}

}  // namespace
}  // namespace veltra
