// The two firmware updates: the IO interface from an Intel HEX file through its loader, and the
// instrument from a ".p52" file of S-records through the command protocol. Plain C++.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "face/DeviceBusy.h"
#include "face/Progress.h"
#include "face/UserPrompts.h"
#include "firmware/FirmwareFiles.h"
#include "language/LanguageTable.h"
#include "link/Link.h"
#include "text/Outcome.h"

namespace veltra {

// The confirmation window: true when the person answered Yes.
class UpdateConfirmation {
  public:
    virtual ~UpdateConfirmation() = default;
    virtual bool confirm(const std::string& currentVersion, const std::string& question,
                         const std::string& file) = 0;
};

// Where an update's file comes from: the file named at start, or the person's choice in the
// update's open dialog; none when the person cancelled it.
using FileChoice = std::function<std::optional<std::string>()>;

// Whether an update's outcome uses up the file named at start: flashed, or refused for what it
// is. A No or a failure of the device leaves it for another try.
bool FileUsedUp(const Ended& ended);

class FirmwareUpdates {
  public:
    // `wait` waits the given milliseconds while the windows go on (10 ms sleeps with event
    // processing between them).
    FirmwareUpdates(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                    Progress& progress, UpdateConfirmation& confirmation, DeviceBusy& busy,
                    std::function<void(int)> wait);

    // The IO interface update from an Intel HEX file through its loader; `ioVersion` is the
    // version on screen. Done once flashed. A failure the person has been told of: NoInstrument,
    // Cancelled, WrongFileKind, FileUnreadable or BadFile (the file refused before anything went
    // to the interface), Declined, NoAnswer (a loader report that could not be written).
    Ended UpdateIOInterface(const FileChoice& file, const std::string& ioVersion);
    // The instrument update from a ".p52" file of S-records; the confirmation names `shownFile`
    // when one is given, else the chosen file. The failures as above.
    Ended UpdateInstrument(const FileChoice& file, const std::string& instrumentVersion,
                           const std::string& shownFile = {});

  private:
    Ended told(Failure failure, int code, const std::string& detail = {});
    // Message 2 with the line that failed and why.
    Ended refuseFile(const FirmwareFileCheck& check);
    struct ChosenFile {
        std::string path, content;
    };
    // The update's file: chosen, named with `extension`, and read whole (at most `limit` bytes);
    // a failure has been said.
    Outcome<ChosenFile> chooseFile(const FileChoice& file, const char* extension,
                                   std::size_t limit);
    // Reads a firmware file of at most `limit` bytes, or says why not.
    Outcome<std::string> readFirmwareFile(const std::string& path, std::size_t limit);
    const std::string& text(int key) const { return texts_.text(key); }
    // Ends the progress window as failed.
    Ended failed();

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    Progress& progress_;
    UpdateConfirmation& confirmation_;
    DeviceBusy& busy_;
    std::function<void(int)> wait_;
};

}  // namespace veltra
