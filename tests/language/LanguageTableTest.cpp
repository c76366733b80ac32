#include <gtest/gtest.h>

#include <sstream>

#include "language/LanguageTable.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

struct ParseCase {
    const char* name;
    std::string file;
    std::vector<std::pair<int, std::string>> expected;  // keys and texts after the load
    std::string error;                                  // expected error, empty for none
};

class LanguageFileParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LanguageFileParse, FillsTheTable) {
    const ParseCase& c = GetParam();
    LanguageTable table;
    std::istringstream in(c.file);
    EXPECT_EQ(ReadLanguageEntries(in, table), c.error);
    for (const auto& [key, text] : c.expected)
        EXPECT_EQ(table.text(key), text) << "key " << key;
}

const std::string kLong(195, 'x');

INSTANTIATE_TEST_SUITE_P(
    Lines, LanguageFileParse,
    ::testing::Values(
        ParseCase{"Simple", "MenuFile,1=&File\n", {{1, "&File"}}, ""},
        ParseCase{"EqualsInText", "a,5=b=c\n", {{5, "b=c"}}, ""},
        ParseCase{"CommasAndBlanksInText", "x,6= a, b = c \n", {{6, " a, b = c "}}, ""},
        ParseCase{"KeyOutOfRange", "a,200=no\na,-1=no\na,170=no\n", {{169, ""}, {0, ""}}, ""},
        ParseCase{"NoComma", "no comma = here\n", {{0, ""}}, ""},
        ParseCase{"NoEqualsAfterComma", "a=1,7\n", {{7, ""}, {1, ""}}, ""},
        ParseCase{"LaterLineWins", "a,8=first\nb,8=second\n", {{8, "second"}}, ""},
        ParseCase{"CrLfLineEnds", "a,9=nine\r\nb,10=ten\r\n", {{9, "nine"}, {10, "ten"}}, ""},
        ParseCase{"LastLineWithoutBreak", "a,11=eleven", {{11, "eleven"}}, ""},
        ParseCase{"BlanksAroundKey", "a, 12 =twelve\n", {{12, "twelve"}}, ""},
        ParseCase{"EmptyText", "a,13=\n", {{13, ""}}, ""},
        ParseCase{"Latin1Fallback", "a,14=Espa\xF1ol\n", {{14, "Espa\xC3\xB1ol"}}, ""},
        ParseCase{"Utf8Kept", "a,15=Espa\xC3\xB1ol\n", {{15, "Espa\xC3\xB1ol"}}, ""},
        // A line longer than 199 characters: the rest is read as a line of its own.
        ParseCase{"LongLineSplit", "a,1=" + kLong + ",2=tail\n", {{1, kLong}, {2, "tail"}}, ""},
        ParseCase{"BadKeyStopsTheLoad",
                  "a,1=one\nb,x1=bad\nc,2=two\n",
                  {{1, "one"}, {2, ""}},
                  "'x1' is not a valid integer value"},
        ParseCase{"EmptyKey", "a,=text\n", {}, "'' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageTable, KeysMissingFromALaterFileKeepTheEarlierTexts) {
    LanguageTable table;
    std::istringstream first("a,9=About\na,10=Software\n");
    std::istringstream second("a,10=Programa\n");
    ReadLanguageEntries(first, table);
    ReadLanguageEntries(second, table);
    EXPECT_EQ(table.text(9), "About");
    EXPECT_EQ(table.text(10), "Programa");
}

TEST(LanguageFiles, MissingFileIsNotOpenedAndLeavesTheTable) {
    test::TempFolder folder;
    LanguageTable table;
    table.set(3, "kept");
    const LanguageFileResult result = ReadLanguageFile(folder.str() + "Nothing.lng", table);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(table.text(3), "kept");
}

TEST(LanguageFiles, ListsOnlyLngFilesThatAreNotFolders) {
    test::TempFolder folder;
    folder.write("English.lng", "");
    folder.write("Deutsch.lng", "");
    folder.write("English.bmp", "");
    folder.write("notes.lng.txt", "");
    std::filesystem::create_directories(folder.path() / "Folder.lng");
    auto names = ListLanguageFiles(folder.str());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Deutsch.lng", "English.lng"}));
    EXPECT_EQ(LanguageNameOfFile("Deutsch.lng"), "Deutsch");
}

TEST(LanguageFiles, EmptyFolderGivesNoLanguages) {
    test::TempFolder folder;
    EXPECT_TRUE(ListLanguageFiles(folder.str()).empty());
    EXPECT_TRUE(ListLanguageFiles(folder.str() + "missing").empty());
}

TEST(LanguageChoice, IsWrittenAsTheBareName) {
    test::TempFolder folder;
    ASSERT_TRUE(SaveLanguageChoice(folder.str() + "config.txt", "Deutsch"));
    EXPECT_EQ(folder.read("config.txt"), "Deutsch");
    EXPECT_EQ(ReadLanguageChoice(folder.str() + "config.txt"), "Deutsch");
    ASSERT_TRUE(SaveLanguageChoice(folder.str() + "config.txt", std::string(25, 'L')));
    EXPECT_EQ(folder.read("config.txt"), std::string(19, 'L'));
}

TEST(LanguageChoice, ReadsTheFirstLineWithoutItsLineBreak) {
    test::TempFolder folder;
    const struct {
        std::string content;
        std::string name;
    } cases[] = {
        {"Espa\xC3\xB1ol\r\n", "Espa\xC3\xB1ol"},
        {"Deutsch\n", "Deutsch"},
        {"Deutsch \nsecond line", "Deutsch"},
        {std::string(30, 'A'), std::string(19, 'A')},
        {"", "English"},
    };
    for (const auto& c : cases) {
        folder.write("config.txt", c.content);
        EXPECT_EQ(ReadLanguageChoice(folder.str() + "config.txt"), c.name) << c.content;
    }
    EXPECT_EQ(ReadLanguageChoice(folder.str() + "missing.txt"), "English");
}

TEST(LanguageChoice, UnwritableConfigIsLostSilently) {
    EXPECT_FALSE(SaveLanguageChoice("/nonexistent-folder/config.txt", "English"));
}

// The shipped files carry every key the program shows, in both languages.
TEST(ShippedLanguageFiles, CarryAllKeys) {
    for (const char* name : {"English.lng", "Espa\xC3\xB1ol.lng"}) {
        LanguageTable table;
        // Blank first: the built-in English of the added texts must not hide a missing key.
        for (int key = 0; key < kLanguageTextCount; ++key)
            table.set(key, "");
        const auto result =
            ReadLanguageFile(std::string(VELTRA_DATA_DIR) + "/Languages/" + name, table);
        ASSERT_TRUE(result.opened) << name;
        EXPECT_EQ(result.error, "") << name;
        for (int key = 0; key < kLanguageTextCount; ++key)
            EXPECT_FALSE(table.text(key).empty()) << name << " key " << key;
    }
}

}  // namespace
}  // namespace veltra
