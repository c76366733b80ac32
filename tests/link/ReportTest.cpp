#include <gtest/gtest.h>

#include "link/Report.h"

namespace veltra {
namespace {

Report AnswerWith(std::size_t at, const std::string& bytes) {
    Report answer{};
    std::copy(bytes.begin(), bytes.end(), answer.begin() + static_cast<long>(at));
    return answer;
}

TEST(CommandFraming, SerialQueryBytes) {
    const Report report = BuildCommandReport(kQueryCode, "*?NS");
    const std::vector<std::uint8_t> head(report.begin(), report.begin() + 9);
    EXPECT_EQ(head,
              (std::vector<std::uint8_t>{0x00, 0x03, 0x19, 0x2A, 0x3F, 0x4E, 0x53, 0x0D, 0x00}));
    EXPECT_TRUE(std::all_of(report.begin() + 9, report.end(), [](auto b) { return b == 0; }));
}

TEST(CommandFraming, TextIsCutToSixtyCharacters) {
    const struct {
        std::size_t length;
        std::size_t crAt;
    } cases[] = {{0, 3}, {59, 62}, {60, 63}, {61, 63}, {200, 63}};
    for (const auto& c : cases) {
        const Report report = BuildCommandReport(kQueryCode, std::string(c.length, 'A'));
        EXPECT_EQ(report[c.crAt], kCarriageReturn) << c.length;
        EXPECT_EQ(report[64], 0) << c.length;
        EXPECT_EQ(std::count(report.begin(), report.end(), 'A'),
                  static_cast<long>(std::min<std::size_t>(c.length, 60)));
    }
}

TEST(CommandFraming, RecordCarriesLPlusSixBytes) {
    Report report{};
    std::vector<std::uint8_t> record = {'*', 'S', 'X', 'S', '1', 0x00, 0xAA};
    ASSERT_TRUE(BuildRecordReport(record, report));
    EXPECT_EQ(report[2], kRecordCode);
    EXPECT_EQ(std::vector<std::uint8_t>(report.begin() + 3, report.begin() + 11),
              (std::vector<std::uint8_t>{'*', 'S', 'X', 'S', '1', 0x00, 0x0D, 0x00}));

    record = {'*', 'S', 'X', 'S', '1', 0x02, 0x11, 0x22, 0x33};
    ASSERT_TRUE(BuildRecordReport(record, report));
    EXPECT_EQ(report[9], 0x11);
    EXPECT_EQ(report[10], 0x22);
    EXPECT_EQ(report[11], kCarriageReturn);

    // A length byte that claims more than one report holds, or more than the record has.
    record = {'*', 'S', 'X', 'S', '1', 60};
    record.resize(100, 0x55);
    EXPECT_FALSE(BuildRecordReport(record, report));
    record = {'*', 'S', 'X', 'S', '1', 10, 0x01};
    EXPECT_FALSE(BuildRecordReport(record, report));
}

TEST(AnswerCutting, TextsEndWhereTheyShould) {
    const struct {
        const char* name;
        Report answer;
        std::size_t from;
        std::string text;
    } cases[] = {
        {"QueryText", AnswerWith(4, "*?NSVT520417\r"), 5, "?NSVT520417\r"},
        {"NoZeroByte", AnswerWith(5, std::string(60, 'Z')), 5, std::string(60, 'Z')},
        {"IOVersion", AnswerWith(3, "IO 2.05"), 3, "IO 2.05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerText(c.answer, c.from), c.text) << c.name;
}

TEST(AnswerCutting, QueryValueStopsAtTheFirstCarriageReturn) {
    EXPECT_EQ(QueryValue(AnswerWith(4, "*?NSVT520417\rjunk")), "VT520417");
    // Without a CR the value ends at the first 0x00 or at byte 64.
    EXPECT_EQ(QueryValue(AnswerWith(4, "*?NSABC")), "ABC");
    EXPECT_EQ(QueryValue(AnswerWith(4, "*?NS" + std::string(57, 'Q'))), std::string(57, 'Q'));
    // A CR before byte 8 clears the value.
    EXPECT_EQ(QueryValue(AnswerWith(3, "\r?NSVALUE")), "");
}

TEST(InstrumentVersion, ModelPrefixAndBootLoader) {
    const struct {
        std::string value;
        std::string version;
    } cases[] = {
        {"VELTRA-52 3.12", " 3.12"},          {"VELTRA-523.12", "3.12"}, {"VELTRA-52", ""},
        {" BOOT 1.04", "BOOT 1.04"},          {"VELTRA-5", "VELTRA-5"},  {"BOOT 1.04", "BOOT 1.04"},
        {"veltra-52 3.12", "veltra-52 3.12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionFromAnswer(AnswerWith(4, "*?VE" + c.value + "\r")), c.version) << c.value;
}

TEST(ClockText, NineteenCharactersWithLeadingZeros) {
    EXPECT_EQ(ClockText(2014, 3, 7, 9, 5, 3), "09:05:03/07-03-2014");
    EXPECT_EQ(ClockText(1000, 1, 1, 0, 0, 0).size(), 19u);
    EXPECT_EQ(ClockText(9999, 12, 31, 23, 59, 59), "23:59:59/31-12-9999");
}

TEST(ClockReport, HasNoCarriageReturn) {
    const Report report = BuildClockReport("09:05:03/07-03-2014");
    EXPECT_EQ(report[2], kCommandCode);
    EXPECT_EQ(std::string(report.begin() + 3, report.begin() + 25), "*SK09:05:03/07-03-2014");
    EXPECT_TRUE(std::all_of(report.begin() + 25, report.end(), [](auto b) { return b == 0; }));
}

}  // namespace
}  // namespace veltra
