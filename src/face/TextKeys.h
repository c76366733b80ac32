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
// Why a file cannot be used: the line texts are followed by ": " and the line number.
inline constexpr int kBadRecordLine = 132;
inline constexpr int kBadChecksumLine = 133;
inline constexpr int kRecordTypeLine = 134;
inline constexpr int kFileCutShort = 135;
inline constexpr int kNoFirmwareInFile = 43;
// A channel whose command would not fit in one report.
inline constexpr int kChannelTooLong = 169;
// Whether to finish an interrupted delete.
inline constexpr int kAskFinishWriteBack = 171;
// Followed by the number of bad rows of a spreadsheet that a message leaves out.
inline constexpr int kRowsNotListed = 172;

}  // namespace veltra::text
