// The numbered messages through which every operation reports errors and results.
#pragma once

#include <optional>
#include <string>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"

namespace veltra {

// Language text that captions every numbered message box.
inline constexpr int kMessageCaptionText = 66;

// The instrument is busy with another operation (the service terminal during an update).
inline constexpr int kBusyMessage = 39;
// The local plan copies are not all from the last complete read: read the plans again.
inline constexpr int kReadAgainMessage = 41;

// The text of message `code`: nothing for code 0 and codes above 41.
std::optional<std::string> MessageText(int code, const LanguageTable& texts);

// Shows message `code` (caption language text 66, information icon; -91 with the error icon).
// Codes without a text show nothing.
// A non-empty `detail` goes on a second line (which line of a file failed, and why).
void ShowMessageCode(UserPrompts& prompts, const LanguageTable& texts, int code,
                     const std::string& detail = {});

}  // namespace veltra
