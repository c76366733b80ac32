// Language texts that operations read when they need them (the windows' own texts are put on by
// ApplyLanguageTexts). One place for the keys that several operations share.
#pragma once

namespace veltra::text {

// Questions.
inline constexpr int kQuestionCaption = 37;
// The progress window.
inline constexpr int kStarting = 53;
inline constexpr int kWriting = 54;
inline constexpr int kFinished = 55;
inline constexpr int kDoNotDisconnect = 57;
inline constexpr int kFailed = 58;
inline constexpr int kMayDisconnect = 29;

}  // namespace veltra::text
