#include <gtest/gtest.h>

#include "face/Messages.h"
#include "shell/CommandLine.h"
#include "support/ScriptedPrompts.h"

namespace veltra {
namespace {

LanguageTable NumberedTexts() {
    LanguageTable table;
    for (int key = 0; key < kLanguageTextCount; ++key)
        table.set(key, "T" + std::to_string(key));
    return table;
}

TEST(MessageCodes, EachCodeShowsItsText) {
    const LanguageTable texts = NumberedTexts();
    const struct {
        int code;
        std::optional<std::string> text;
    } cases[] = {
        {1, "T60"},        {2, "T61"},      {3, "T62: 3"},     {4, "T63: 4"}, {5, "T64: 5"},
        {6, "T65: 6"},     {7, "T67"},      {8, "T69"},        {9, "T70"},    {10, "T71: 10"},
        {11, "T12"},       {12, "T46"},     {13, "T40"},       {14, "T75"},   {15, "T26"},
        {16, "T24"},       {17, "T78"},     {18, "T92"},       {19, "T103"},  {22, "T106"},
        {23, "T108"},      {29, "T114"},    {30, "T76"},       {31, "T118"},  {32, "T136"},
        {33, "T144"},      {34, "T124"},    {35, "T120"},      {36, "T148"},  {37, "T163"},
        {38, "T126"},      {39, "T168"},    {40, "T169"},      {41, "T80"},   {42, "T170"},
        {43, "T288"},      {44, "T297"},    {45, "T300"},      {46, "T303"},  {47, std::nullopt},
        {0, std::nullopt}, {-5, "T68: -5"}, {-91, "T68: -91"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageText(c.code, texts), c.text) << c.code;
}

TEST(MessageCodes, BoxCaptionAndIcon) {
    const LanguageTable texts = NumberedTexts();
    test::ScriptedPrompts prompts;
    ShowMessageCode(prompts, texts, 7);
    ShowMessageCode(prompts, texts, -91);
    ShowMessageCode(prompts, texts, message::kLastMessage + 1);
    ShowMessageCode(prompts, texts, 0);
    ShowMessageCode(prompts, texts, 2, "line 3");
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[2].text, "T61\nline 3");
    EXPECT_EQ(prompts.messages[0].caption, "T66");
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompts.messages[1].icon, MessageIcon::Error);
}

TEST(MessageCodes, EmptyTableAtFirstStart) {
    LanguageTable empty;
    test::ScriptedPrompts prompts;
    ShowMessageCode(prompts, empty, 4);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "");
    EXPECT_EQ(prompts.messages[0].text, ": 4");
}

TEST(CommandLine, OptionsAndTheFirmwareFile) {
    const struct {
        std::vector<std::string> args;
        bool simulate;
        std::string folder;
        std::string file;
        bool error;
    } cases[] = {
        {{}, false, "", "", false},
        {{"/tmp/io firmware.hex"}, false, "", "/tmp/io firmware.hex", false},
        {{"--simulate", "a.hex", "b.hex"}, true, "", "a.hex", false},
        {{"--simulate=/tmp/state"}, true, "/tmp/state", "", false},
        {{"--simulate="}, true, "", "", true},
        {{"--frobnicate"}, false, "", "", true},
        {{"--", "--odd-name.hex"}, false, "", "--odd-name.hex", false},
    };
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(line.simulate, c.simulate);
        EXPECT_EQ(line.simulateFolder, c.folder);
        EXPECT_EQ(line.firmwareFile, c.file);
        EXPECT_EQ(!line.error.empty(), c.error);
    }
    EXPECT_EQ(ParseCommandLine({"--trace=/tmp/t.log", "--simulate"}).traceFile, "/tmp/t.log");
    EXPECT_FALSE(ParseCommandLine({"--trace="}).error.empty());
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
}

}  // namespace
}  // namespace veltra
