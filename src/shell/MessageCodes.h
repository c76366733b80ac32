// The numbered messages through which every operation reports errors and results.
#pragma once

#include <optional>
#include <string>

#include "language/LanguageTable.h"
#include "shell/UserPrompts.h"

namespace veltra {

// Language text that captions every numbered message box.
inline constexpr int kMessageCaptionText = 66;

// The text of message `code`: nothing for code 0 and codes above 38.
std::optional<std::string> MessageText(int code, const LanguageTable& texts);

// Shows message `code` (caption language text 66, information icon; -91 with the error icon).
// Codes without a text show nothing.
void ShowMessageCode(UserPrompts& prompts, const LanguageTable& texts, int code);

}  // namespace veltra
