// The numbered messages through which every operation reports errors and results.
#pragma once

#include <optional>
#include <string>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"

namespace veltra {

// Language text that captions every numbered message box.
inline constexpr int kMessageCaptionText = 66;

// The numbered messages by what they say.
namespace message {
inline constexpr int kFileUnreadable = 1;
inline constexpr int kBadFirmwareFile = 2;
inline constexpr int kNoFlagPicture = 3;
inline constexpr int kNoLanguageFile = 4;
inline constexpr int kNoInstrument = 7;  // also an erase step the instrument refused
inline constexpr int kEraseWarning = 8;
inline constexpr int kWrongExtension = 11;
inline constexpr int kOutOfRange = 12;
inline constexpr int kBadChannelData = 13;
inline constexpr int kBadChannel = 14;
inline constexpr int kCancelled = 15;
inline constexpr int kTenPlans = 16;
inline constexpr int kNothingSelected = 17;
inline constexpr int kFileUnwritable = 18;
// The editor's row check, one per column: name, frequency, bandwidth, offset, type, active,
// system, modulation, symbol rate, group, group member.
inline constexpr int kBadName = 19;
inline constexpr int kBadFrequency = 20;
inline constexpr int kBadBandwidth = 21;
inline constexpr int kBadOffset = 22;
inline constexpr int kBadType = 23;
inline constexpr int kBadActive = 24;
inline constexpr int kBadSystem = 25;
inline constexpr int kBadModulation = 26;
inline constexpr int kBadSymbolRate = 27;
inline constexpr int kBadGroup = 28;
inline constexpr int kBadGroupMember = 29;
inline constexpr int kSameFrequency = 30;
inline constexpr int kTooManyChannels = 31;
inline constexpr int kPlanCountChanged = 32;
inline constexpr int kLoggerNotReceived = 33;
inline constexpr int kUnknownLoggerList = 34;
inline constexpr int kPrintFailed = 35;
inline constexpr int kNothingMarked = 36;
inline constexpr int kNoLoggers = 37;
inline constexpr int kPlanNameExists = 38;
// The instrument is busy with another operation (the service terminal during an update).
inline constexpr int kBusy = 39;
// A channel whose command would not fit in one report.
inline constexpr int kChannelTooLong = 40;
// The local plan copies are not all from the last complete read: read the plans again.
inline constexpr int kReadPlansAgain = 41;
// An interrupted delete has not sent its kept plans back yet.
inline constexpr int kWriteBackPending = 42;
// A logger file of the computer's that cannot be used (damaged, cut short, not a logger).
inline constexpr int kLoggerFileDamaged = 43;
// The instrument holds fewer channels of a plan than were sent.
inline constexpr int kChannelsNotKept = 44;
// A plan that a delete keeps cannot be sent back (its name is not printable text).
inline constexpr int kPlanNotSendable = 45;
// Listed loggers to save, and none is listed.
inline constexpr int kNothingListed = 46;
// The last numbered message.
inline constexpr int kLastMessage = kNothingListed;
}  // namespace message

// The text of message `code`: nothing for code 0 and codes above kLastMessage.
std::optional<std::string> MessageText(int code, const LanguageTable& texts);

// Shows message `code` (caption language text 66, information icon; -91 with the error icon).
// Codes without a text show nothing.
// A non-empty `detail` goes on a second line (which line of a file failed, and why).
void ShowMessageCode(UserPrompts& prompts, const LanguageTable& texts, int code,
                     const std::string& detail = {});

}  // namespace veltra
