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

// Texts added to the original 170 (their English wording is built in, see LanguageTable.cpp).
inline constexpr int kExportMarkedCsv = 173;
inline constexpr int kImportCsv = 174;
inline constexpr int kExportCsv = 175;
inline constexpr int kSaveGraph = 176;
inline constexpr int kLimitsEntry = 177;
inline constexpr int kCompareWith = 178;
inline constexpr int kLimitsCaption = 179;
inline constexpr int kDeltaLevel = 184;
inline constexpr int kDeltaQuality = 185;
inline constexpr int kOnlyHere = 186;
inline constexpr int kOnlyInCompared = 187;
inline constexpr int kComparedMark = 188;
inline constexpr int kFirmwareFiles = 189;
inline constexpr int kPlanFiles = 190;
inline constexpr int kLoggerFiles = 191;
inline constexpr int kSpreadsheetFiles = 192;
inline constexpr int kPictureFiles = 193;
inline constexpr int kTvLoggerFiles = 194;
inline constexpr int kAllFiles = 195;
inline constexpr int kModelHint = 196;
inline constexpr int kSerialHint = 197;
inline constexpr int kIOVersionHint = 198;
inline constexpr int kInstrumentVersionHint = 199;
inline constexpr int kSavedIn = 200;
inline constexpr int kOpenLoggersFolder = 201;
inline constexpr int kBadTime = 202;
inline constexpr int kNoPlanNamed = 203;
inline constexpr int kNoWriteBack = 204;
inline constexpr int kNotLoggerNumber = 205;
inline constexpr int kNoLoggerNumbered = 206;
inline constexpr int kAllAndNumbers = 207;
inline constexpr int kRecoverFirst = 208;
inline constexpr int kOutputUnwritable = 209;
inline constexpr int kTraceUnwritable = 210;
inline constexpr int kConfirmWithYes = 211;
inline constexpr int kAnsweredNo = 212;
inline constexpr int kPlansToDelete = 213;
inline constexpr int kPlanNameDescription = 214;
inline constexpr int kPlanFileDescription = 215;
inline constexpr int kLoggerNameDescription = 216;
inline constexpr int kLoggerFileDescription = 217;
inline constexpr int kVersionNowDescription = 218;
inline constexpr int kFirmwareFileDescription = 219;
inline constexpr int kProgressDescription = 220;
inline constexpr int kDownstreamGraph = 221;
inline constexpr int kUpstreamGraph = 222;
inline constexpr int kComparedWith = 223;
inline constexpr int kLegendThis = 224;
inline constexpr int kLegendCompared = 225;
inline constexpr int kLegendOutside = 226;
inline constexpr int kSubcommandUnknown = 227;
// The buttons of message boxes and dialogs; Yes and No are the confirmation window's.
inline constexpr int kYesButton = 51;
inline constexpr int kNoButton = 52;
inline constexpr int kOkButton = 228;
inline constexpr int kCancelButton = 229;
// Verdicts, network figures and limit sets.
inline constexpr int kVerdictLevel = 230;
inline constexpr int kVerdictThreshold = 231;
inline constexpr int kVerdictPass = 232;
inline constexpr int kVerdictNotMeasured = 233;
inline constexpr int kFigureTiltAnalog = 234;
inline constexpr int kFigureTiltDigital = 235;
inline constexpr int kFigurePeakToValleyAnalog = 236;
inline constexpr int kFigurePeakToValleyDigital = 237;
inline constexpr int kFigureAdjacentAnalog = 238;
inline constexpr int kFigureAdjacentDigital = 239;
inline constexpr int kFigureDigitalToAnalog = 240;
inline constexpr int kChannelsPass = 241;
inline constexpr int kFirstFailing = 242;
inline constexpr int kLimitSetNamed = 243;
inline constexpr int kVerdictHeader = 244;
inline constexpr int kVerdictFail = 245;
inline constexpr int kCliNoLimitSet = 246;
inline constexpr int kCliBadUnit = 247;
inline constexpr int kLegendAnalog = 248;
inline constexpr int kLegendDigital = 249;
inline constexpr int kLimitAnalogLevel = 250;
inline constexpr int kLimitDigitalLevel = 251;
inline constexpr int kLimitMinMer = 252;
inline constexpr int kLimitMinCn = 253;
inline constexpr int kLimitMaxBer = 254;
inline constexpr int kLimitMaxTilt = 255;
inline constexpr int kLimitMaxPeakToValley = 256;
inline constexpr int kLimitMaxAdjacent = 257;
inline constexpr int kLimitDigitalToAnalog = 258;
inline constexpr int kLimitDownstreamLevel = 259;
inline constexpr int kLimitMinDownstreamMer = 260;
inline constexpr int kLimitUpstreamLevel = 261;
inline constexpr int kLimitSetChoice = 262;
inline constexpr int kLimitSetName = 263;
inline constexpr int kSaveOwnLimitSet = 264;
inline constexpr int kImportLimitSet = 265;
inline constexpr int kExportLimitSet = 266;
inline constexpr int kLimitSetFiles = 267;
inline constexpr int kLimitSetBuiltInName = 268;
inline constexpr int kLimitSetBad = 269;
inline constexpr int kLimitSetSaved = 270;
inline constexpr int kLevelsInDbmv = 271;
inline constexpr int kReportTitle = 272;
inline constexpr int kReportTechnician = 273;
inline constexpr int kReportSite = 274;
inline constexpr int kReportWorkOrder = 275;
inline constexpr int kReportNote = 276;
inline constexpr int kReportInstrument = 277;
inline constexpr int kReportSerial = 278;
inline constexpr int kReportDetails = 279;
inline constexpr int kSaveReportPdf = 280;
inline constexpr int kPrintReport = 281;
inline constexpr int kPdfFiles = 282;
inline constexpr int kReportPage = 283;
inline constexpr int kReportMade = 284;
inline constexpr int kReportLimitSet = 285;
inline constexpr int kReportFigures = 286;
inline constexpr int kReportChannels = 287;

// Message 43, and why a local logger file cannot be used (%1: the line).
inline constexpr int kLoggerFileDamaged = 288;
inline constexpr int kLoggerEndsInHeader = 289;
inline constexpr int kLoggerNotANumber = 290;
inline constexpr int kLoggerEndsEarly = 291;
inline constexpr int kLoggerFieldsMissing = 292;
inline constexpr int kLoggerBadRecord = 293;
inline constexpr int kLoggerBadValue = 294;
inline constexpr int kLoggerUnknownKind = 295;
inline constexpr int kLoggerTooManyRecords = 296;
// Message 44, and which plan lost channels.
inline constexpr int kChannelsNotKept = 297;
inline constexpr int kChannelsKept = 298;
// A plan name of the instrument's that is not printable: read, and kept from a delete.
inline constexpr int kPlanNameUnusable = 299;
inline constexpr int kPlanNotSendable = 300;  // message 45
// Folders that cannot be written; the IO interface that did not come back from its loader.
inline constexpr int kCopiesUnwritable = 301;
inline constexpr int kIoNotBack = 302;

// Message 46: a save of the listed loggers with none listed.
inline constexpr int kNothingListed = 303;

// The TV viewer's entry that ends a comparison.
inline constexpr int kStopComparing = 304;

// Said wherever the connection to a simulated instrument is shown, and in its reports.
inline constexpr int kSimulatedInstrument = 305;

// The command line: the totals of a check, the clock it set, the command meant.
inline constexpr int kLoggersFail = 306;
inline constexpr int kClockSetTo = 307;
inline constexpr int kDidYouMean = 308;

// The Limits dialog's range whose minimum is above its maximum.
inline constexpr int kMinAboveMax = 309;

// The command line's usage errors in the program's language.
inline constexpr int kCliRunHelp = 310;
inline constexpr int kCliRequired = 311;
inline constexpr int kCliNotExpected = 312;

}  // namespace veltra::text
