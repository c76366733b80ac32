// How operations talk to the person: numbered messages, questions, file choices, and letting
// the windows breathe between two device exchanges. The windows implement it with real dialogs;
// tests script it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltra {

enum class MessageIcon { Information, Error };
enum class YesNoCancel { Yes, No, Cancel };

// An open or save dialog as the program keeps it between uses: where it starts, what it shows,
// and the file chosen in it last.
struct FileDialogState {
    std::string title;
    std::string initialFolder;
    std::string filter;    // e.g. "Channel plans (*.c52)"; empty for all files
    std::string fileName;  // the file chosen last (or preset before a save dialog)
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;

    // `code`: the numbered message shown (message::k...), 0 for a text that is none.
    virtual void showMessage(int code, const std::string& caption, const std::string& text,
                             MessageIcon icon) = 0;
    virtual bool askYesNo(const std::string& caption, const std::string& text) = 0;
    virtual YesNoCancel askYesNoCancel(const std::string& caption, const std::string& text) = 0;

    // File choices: an empty result means the person cancelled. The dialog state keeps the
    // file chosen last.
    virtual std::optional<std::string> chooseOpenFile(FileDialogState& dialog) = 0;
    virtual std::vector<std::string> chooseOpenFiles(FileDialogState& dialog) = 0;
    virtual std::optional<std::string> chooseSaveFile(FileDialogState& dialog) = 0;

    // Lets the windows repaint and react between two device exchanges.
    virtual void processEvents() = 0;

    virtual void beginWait() = 0;
    virtual void endWait() = 0;
};

// The wait cursor for the length of a scope, restored on every way out.
class WaitCursor {
  public:
    explicit WaitCursor(UserPrompts& prompts) : prompts_(prompts) { prompts_.beginWait(); }
    ~WaitCursor() { prompts_.endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UserPrompts& prompts_;
};

}  // namespace veltra
