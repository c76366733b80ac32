// The two firmware updates: the IO interface from an Intel HEX file through its loader, and the
// instrument from a ".p52" file of S-records through the command protocol. Plain C++.
#pragma once

#include <functional>
#include <string>

#include "face/DeviceBusy.h"
#include "face/Progress.h"
#include "face/UserPrompts.h"
#include "firmware/FirmwareFiles.h"
#include "language/LanguageTable.h"
#include "link/Link.h"

namespace veltra {

// The confirmation window: true when the person answered Yes.
class UpdateConfirmation {
  public:
    virtual ~UpdateConfirmation() = default;
    virtual bool confirm(const std::string& currentVersion, const std::string& question,
                         const std::string& file) = 0;
};

class FirmwareUpdates {
  public:
    // `wait` waits the given milliseconds while the windows go on (10 ms sleeps with event
    // processing between them).
    FirmwareUpdates(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                    Progress& progress, UpdateConfirmation& confirmation, DeviceBusy& busy,
                    std::function<void(int)> wait);

    // The IO interface update. `commandLineFile` is the file given at start (cleared on the exits
    // that end the update); `dialog` is CarregarHex; `ioVersion` the version on screen.
    void Actualitzar(std::string& commandLineFile, FileDialogState& dialog,
                     const std::string& versionFolder, const std::string& ioVersion);
    // The instrument update.
    void ActualitzarVT52(const std::string& commandLineFile, FileDialogState& dialog,
                         const std::string& instrumentVersion);

    // The IO interface comes back in its loader within this many searches after the wait.
    static constexpr int kExtraSearches = 10;

  private:
    void message(int code, const std::string& detail = {});
    // Message 2 with the line that failed and why.
    void refuseFile(const FirmwareFileCheck& check);
    // Reads a firmware file of at most `limit` bytes; false after the message that says why not.
    bool readFirmwareFile(const std::string& path, std::size_t limit, std::string& content);
    const std::string& text(int key) const { return texts_.text(key); }
    void failed();

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    Progress& progress_;
    UpdateConfirmation& confirmation_;
    DeviceBusy& busy_;
    std::function<void(int)> wait_;
};

}  // namespace veltra
