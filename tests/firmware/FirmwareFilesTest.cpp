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
    using P = FirmwareProblem;
    const std::string end = ":00000001FF";
    const struct {
        const char* name;
        std::string file;
        P problem;
        int line;
    } cases[] = {
        {"DataAndEnd", ":0410000001020304E2\r\n" + end, P::None, 0},
        {"ExtendedAddress", ":020000040001F9\n:0400000001020304F2\n" + end + "\n", P::None, 0},
        {"NoEndRecord", ":0410000001020304E2\n", P::CutShort, 0},
        {"WrongChecksum", ":0410000001020304E3\n" + end, P::BadChecksum, 1},
        {"LowerCase", ":0410000001020304e2\n" + end, P::BadChecksum, 1},
        {"Type2", ":020000021000EC\n" + end, P::RecordType, 1},
        {"Type3", ":0400000300003800C1\n" + end, P::RecordType, 1},
        {"Type5", ":04000005000000CD2A\n" + end, P::RecordType, 1},
        {"NoColon", "0410000001020304E2\n" + end, P::BadRecord, 1},
        {"OddLength", ":0410000001020304E\n" + end, P::BadRecord, 1},
        {"CountDisagrees", ":0510000001020304E1\n" + end, P::BadRecord, 1},
        {"EmptyLine", ":0410000001020304E2\n\n" + end, P::BadRecord, 2},
        {"RecordsAfterTheEndAreChecked", end + "\n:0410000001020304E3", P::BadChecksum, 2},
        // An extended address carries exactly two bytes.
        {"ExtendedAddressWithoutBytes", ":00000004FC\n" + end, P::BadRecord, 1},
        {"ExtendedAddressOfThreeBytes", ":03000004000100F8\n" + end, P::BadRecord, 1},
    };
    for (const auto& c : cases) {
        const FirmwareFileCheck check = ProvaCheckSum(c.file);
        EXPECT_EQ(check.problem, c.problem) << c.name;
        EXPECT_EQ(check.line, c.line) << c.name;
    }
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
    EXPECT_EQ(image.dataBytes, 8u);
}

TEST(HexImage, FilesWithNothingToFlashAreRefused) {
    const std::string end = ":00000001FF";
    const struct {
        const char* name;
        std::string file;
    } cases[] = {
        {"OnlyTheEndRecord", end},
        {"OnlyBelowTheFirmwareArea", ":0400000001020304F2\n" + end},
        {"RunningPast0x20000", ":020000040001F9\n:04FFFE0001020304F5\n" + end},
        // Extension 0xFFFF and address 0xFFF0: the end of the record lies beyond 4 GiB, not at
        // a small address inside the image.
        {"WrappingAddress", ":02000004FFFFFC\n:10FFF000000102030405060708090A0B0C0D0E0F89\n" + end},
    };
    for (const auto& c : cases) {
        FirmwareImage image;
        EXPECT_EQ(ReadHexFile(c.file, image).problem, FirmwareProblem::NoFirmware) << c.name;
        EXPECT_EQ(image.end, 0u) << c.name;
    }
}

TEST(SRecords, CheckAndConvert) {
    using P = FirmwareProblem;
    const std::string header = "S00F000068656C6C6F202020202000003C\n";
    const std::string data = "S1130000285F245F2212226A000424290008237C2A\n";
    const std::string end = "S9030000FC";
    const struct {
        std::string file;
        P problem;
        int line;
    } cases[] = {
        {header + data + end, P::None, 0},
        {data + "S804000000FB", P::None, 0},
        {"S1130000285F245F2212226A000424290008237C2B", P::BadChecksum, 1},
        {"S1130000285f245F2212226A000424290008237C2A", P::BadRecord, 1},       // lower case
        {data + "S1130000285F245F2212226A000424290008237C", P::BadRecord, 2},  // count
        {"X9030000FC", P::BadRecord, 1},
        {"S9030000F", P::BadRecord, 1},
        {"", P::NoFirmware, 0},
        {header + end, P::NoFirmware, 0},
        {header + data, P::CutShort, 0},               // cut short after its data
        {header + end + "\n" + data, P::CutShort, 0},  // data after the termination
    };
    for (const auto& c : cases) {
        const FirmwareFileCheck check = CheckSRecordFile(c.file);
        EXPECT_EQ(check.problem, c.problem) << c.file;
        EXPECT_EQ(check.line, c.line) << c.file;
    }
    EXPECT_EQ(SRecordToRecord("S9030000FC"),
              (std::vector<std::uint8_t>{'*', 'S', 'X', 'S', '9', 0x03, 0x00, 0x00, 0xFC}));
}

}  // namespace
}  // namespace veltra
