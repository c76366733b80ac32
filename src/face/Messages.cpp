#include "face/Messages.h"

#include <array>

namespace veltra {

namespace {

struct MessageEntry {
    int text;        // language text
    bool showsCode;  // followed by ": " and the code
};

// Message codes 1..46.
constexpr std::array<MessageEntry, message::kLastMessage> kMessages{{
    {60, false},  {61, false},  {62, true},   {63, true},   {64, true},   {65, true},
    {67, false},  {69, false},  {70, false},  {71, true},   {12, false},  {46, false},
    {40, false},  {75, false},  {26, false},  {24, false},  {78, false},  {92, false},
    {103, false}, {104, false}, {105, false}, {106, false}, {108, false}, {109, false},
    {110, false}, {111, false}, {112, false}, {113, false}, {114, false}, {76, false},
    {118, false}, {136, false}, {144, false}, {124, false}, {120, false}, {148, false},
    {163, false}, {126, false}, {168, false}, {169, false}, {80, false},  {170, false},
    {288, false}, {297, false}, {300, false}, {303, false},
}};

constexpr int kNegativeCodeText = 68;
constexpr int kErrorIconCode = -91;

}  // namespace

std::optional<std::string> MessageText(int code, const LanguageTable& texts) {
    if (code < 0) return texts.text(kNegativeCodeText) + ": " + std::to_string(code);
    if (code == 0 || code > static_cast<int>(kMessages.size())) return std::nullopt;
    const MessageEntry& entry = kMessages[static_cast<std::size_t>(code - 1)];
    std::string text = texts.text(entry.text);
    if (entry.showsCode) text += ": " + std::to_string(code);
    return text;
}

void ShowMessageCode(UserPrompts& prompts, const LanguageTable& texts, int code,
                     const std::string& detail) {
    const auto text = MessageText(code, texts);
    if (!text) return;
    prompts.showMessage(code, texts.text(kMessageCaptionText),
                        detail.empty() ? *text : *text + "\n" + detail,
                        code == kErrorIconCode ? MessageIcon::Error : MessageIcon::Information);
}

}  // namespace veltra
