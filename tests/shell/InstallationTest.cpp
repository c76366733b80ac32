#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>

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

// Every rule line is a list of KEY==value / KEY+=value / KEY=value pairs that udev knows, and
// the rule matches the IO interface's hidraw device by its product string.
TEST(UdevRule, ParsesAndMatchesTheInterface) {
    std::ifstream in(std::string(VELTRA_DATA_DIR) + "/udev/70-veltra52.rules");
    ASSERT_TRUE(in);
    const std::regex pair(R"re(\s*([A-Z_]+(\{[A-Za-z_]+\})?)\s*(==|!=|\+=|=|:=)\s*"([^"]*)"\s*)re");
    const std::set<std::string> keys = {"SUBSYSTEM", "ATTRS{product}", "TAG", "MODE", "GROUP"};
    int rules = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        ++rules;
        std::string rest = line;
        std::map<std::string, std::string> seen;
        std::size_t pos = 0;
        while (pos < rest.size()) {
            const std::size_t comma = rest.find(',', pos);
            const std::string item =
                rest.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            std::smatch m;
            ASSERT_TRUE(std::regex_match(item, m, pair)) << item;
            EXPECT_TRUE(keys.count(m[1])) << m[1];
            seen[m[1].str() + m[3].str()] = m[4];
            pos = comma == std::string::npos ? rest.size() : comma + 1;
        }
        EXPECT_EQ(seen["SUBSYSTEM=="], "hidraw");
        EXPECT_EQ(seen["ATTRS{product}=="], "VELTRA-52");
        EXPECT_EQ(seen["TAG+="], "uaccess");
    }
    EXPECT_EQ(rules, 1);
}

}  // namespace
}  // namespace veltra
