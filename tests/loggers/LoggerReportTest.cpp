#include <gtest/gtest.h>

#include "loggers/LoggerReport.h"

namespace veltra {
namespace {

// A table wider than its page goes into tables that fit, each with the rows' numbers first and
// the verdict last, and no column lost.
TEST(ReportTables, TooWideATableIsSplitKeepingNumbersAndVerdicts) {
    using Parts = std::vector<std::vector<std::size_t>>;
    const struct {
        std::vector<double> widths;
        double room;
        Parts parts;
    } cases[] = {
        {{10, 50, 50, 100}, 300, {{0, 1, 2, 3}}},
        // 13 columns of a TV logger and two differences beside them: two tables.
        {{10, 60, 60, 60, 60, 60, 100}, 300, {{0, 1, 2, 3, 6}, {0, 4, 5, 6}}},
        // A column wider than the page with the verdict still gets a table of its own.
        {{10, 400, 20, 100}, 300, {{0, 1, 3}, {0, 2, 3}}},
        {{10, 100}, 50, {{0, 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TableParts(c.widths, c.room, 90), c.parts) << c.widths.size();
    const ReportTable table{"T", {"No", "A", "B", "Verdict"}, {{"1", "a", "b", "Fail"}}, {true}};
    const ReportTable part = TablePart(table, {0, 2, 3});
    EXPECT_EQ(part.header, (std::vector<std::string>{"No", "B", "Verdict"}));
    EXPECT_EQ(part.rows[0], (std::vector<std::string>{"1", "b", "Fail"}));
    EXPECT_EQ(part.fails, table.fails);
}

}  // namespace
}  // namespace veltra
