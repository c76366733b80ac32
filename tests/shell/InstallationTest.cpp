#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

#include "language/Language.h"

namespace veltra {
namespace {

TEST(DataFolder, BesideTheProgramOnlyWhenItsFolderIsWritable) {
    EXPECT_EQ(ChooseDataFolder("/opt/v", true, "/home/u/.local/share/veltra52"), "/opt/v/");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/veltra52", false, "/home/u/.local/share/veltra52"),
              "/home/u/.local/share/veltra52/");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/veltra52", false, ""), "/usr/lib/veltra52/");
    const Language installed("/usr/lib/veltra52", "/home/u/.local/share/veltra52");
    EXPECT_EQ(installed.configFile(), "/home/u/.local/share/veltra52/config.txt");
    EXPECT_EQ(installed.loggersFolder(), "/home/u/.local/share/veltra52/Loggers/");
    EXPECT_EQ(installed.languageFile(), "/usr/lib/veltra52/Languages/English.lng");
    const Language portable("/opt/v");
    EXPECT_EQ(portable.configFile(), "/opt/v/config.txt");
}

// The one active rule line matches the IO interface's hidraw device by its product string and
// tags it for the user at the desk; blanks around the comma-separated items are allowed.
TEST(UdevRule, MatchesTheInterface) {
    std::ifstream in(std::string(VELTRA_DATA_DIR) + "/udev/70-veltra52.rules");
    ASSERT_TRUE(in);
    std::vector<std::set<std::string>> rules;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::set<std::string> items;
        std::size_t pos = 0;
        while (pos <= line.size()) {
            const std::size_t comma = std::min(line.find(',', pos), line.size());
            const std::size_t first = line.find_first_not_of(' ', pos);
            const std::size_t last = line.find_last_not_of(' ', comma - 1);
            items.insert(first < comma ? line.substr(first, last + 1 - first) : "");
            pos = comma + 1;
        }
        rules.push_back(items);
    }
    const std::set<std::string> expected = {R"(SUBSYSTEM=="hidraw")",
                                            R"(ATTRS{product}=="VELTRA-52")", R"(TAG+="uaccess")"};
    EXPECT_EQ(rules, std::vector<std::set<std::string>>{expected});
}

}  // namespace
}  // namespace veltra
