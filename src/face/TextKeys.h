// Language texts that operations read when they need them (the windows' own texts are put on by
// ApplyLanguageTexts), by name, in one place.
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

// Reading, sending and deleting channel plans.
inline constexpr int kReadingCaption = 45;
inline constexpr int kWritingCaption = 25;
inline constexpr int kBadChannelText = 40;
inline constexpr int kAskDeleteSelected = 38;
inline constexpr int kAskEraseAll = 39;
// The channel plan editor's questions.
inline constexpr int kAskReplacePlan = 79;
inline constexpr int kAskSaveOnClose = 117;
// Loggers: overwriting a file, the first of the TV logger's noise modes, the "saved" box.
inline constexpr int kAskOverwriteLogger = 30;
inline constexpr int kFirstNoiseModeText = 141;
inline constexpr int kSavedCaption = 151;
inline constexpr int kSavedText = 152;
// The two updates: their questions, versions and captions.
inline constexpr int kConfirmIOUpdate = 47;
inline constexpr int kCurrentInstrumentVersion = 48;
inline constexpr int kConfirmInstrumentUpdate = 49;
inline constexpr int kCurrentIOVersion = 50;
inline constexpr int kPreparing = 59;
inline constexpr int kIOUpdateCaption = 74;
inline constexpr int kInstrumentUpdateCaption = 73;
// The connection panel's labels.
inline constexpr int kModelLabel = 16;
inline constexpr int kSerialLabel = 17;
inline constexpr int kIOVersionLabel = 18;
inline constexpr int kInstrumentVersionLabel = 32;

}  // namespace veltra::text
