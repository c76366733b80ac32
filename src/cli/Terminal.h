// The command line's side of the contracts every operation works through: the person on a
// terminal (messages on standard error, "[y/N]" questions, files named on the command line), a
// one-line progress bar, the plan list held in memory. Plain C++.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "face/Progress.h"
#include "face/UserPrompts.h"
#include "firmware/FirmwareUpdates.h"
#include "language/LanguageTable.h"

namespace veltra::cli {

class TerminalPrompts : public UserPrompts {
  public:
    // `askable`: questions can be put to a person on `in`.
    TerminalPrompts(std::ostream& err, std::istream& in, bool askable);

    bool yes = false;    // every question answered yes
    bool quiet = false;  // only failures are written
    // What the file dialogs answer, in the order they are shown.
    std::vector<std::string> files;

    // The person declined a question.
    bool declined() const { return declined_; }

    void showMessage(int code, const std::string& caption, const std::string& text,
                     MessageIcon icon) override;
    bool askYesNo(const std::string& caption, const std::string& text) override;
    YesNoCancel askYesNoCancel(const std::string& caption, const std::string& text) override;
    std::optional<std::string> chooseOpenFile(FileDialogState& dialog) override;
    std::vector<std::string> chooseOpenFiles(FileDialogState& dialog) override;
    std::optional<std::string> chooseSaveFile(FileDialogState& dialog) override;
    void processEvents() override {}
    void beginWait() override {}
    void endWait() override {}

  private:
    std::optional<std::string> nextFile(FileDialogState& dialog);

    std::ostream& err_;
    std::istream& in_;
    bool askable_;
    bool declined_ = false;
};

// The progress window as one line on standard error: caption, bar, percentage and count. Drawn
// only on a terminal; remembers whether the operation ended as failed.
class TerminalProgress : public Progress {
  public:
    TerminalProgress(std::ostream& err, bool draw) : err_(err), draw_(draw) {}

    bool failed() const { return failed_; }

    void prepare(const std::string& caption, const std::string& status, const std::string& warning,
                 int maximum) override;
    void setStatus(const std::string& text) override;
    void setWarning(const std::string&) override {}
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    int position() const override { return position_; }
    int maximum() const override { return maximum_; }
    void setBarVisible(bool) override {}
    void finish() override;

  protected:
    void ended(bool succeeded) override { failed_ = !succeeded; }

  private:
    void redraw();

    std::ostream& err_;
    bool draw_;
    std::string caption_, status_;
    int position_ = 0, maximum_ = 0, lastPercent_ = -1;
    bool open_ = false, failed_ = false;
};

// The update's confirmation as a question: the current version and the file, then "[y/N]".
class TerminalConfirmation : public UpdateConfirmation {
  public:
    TerminalConfirmation(TerminalPrompts& prompts, std::ostream& err)
        : prompts_(prompts), err_(err) {}
    bool confirm(const std::string& currentVersion, const std::string& question,
                 const std::string& file) override;

  private:
    TerminalPrompts& prompts_;
    std::ostream& err_;
};

}  // namespace veltra::cli
