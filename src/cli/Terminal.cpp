#include "cli/Terminal.h"

#include <istream>
#include <ostream>

namespace veltra::cli {

namespace {

constexpr const char* kName = "veltra52-cli: ";

}  // namespace

TerminalPrompts::TerminalPrompts(std::ostream& err, std::istream& in, bool askable)
    : err_(err), in_(in), askable_(askable) {}

void TerminalPrompts::showMessage(int code, const std::string&, const std::string& text,
                                  MessageIcon) {
    // Numbered messages are always shown: what failed, or what was done.
    if (code == 0 && quiet) return;
    err_ << kName << text << '\n';
}

bool TerminalPrompts::askYesNo(const std::string&, const std::string& text) {
    if (yes) return true;
    if (!askable_) {
        declined_ = true;
        return false;
    }
    err_ << text << " [y/N] " << std::flush;
    std::string answer;
    std::getline(in_, answer);
    const bool agreed = answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
    declined_ = declined_ || !agreed;
    return agreed;
}

YesNoCancel TerminalPrompts::askYesNoCancel(const std::string& caption, const std::string& text) {
    return askYesNo(caption, text) ? YesNoCancel::Yes : YesNoCancel::Cancel;
}

std::optional<std::string> TerminalPrompts::nextFile(FileDialogState& dialog) {
    if (files.empty()) return std::nullopt;
    std::string file = files.front();
    files.erase(files.begin());
    dialog.fileName = file;
    return file;
}

std::optional<std::string> TerminalPrompts::chooseOpenFile(FileDialogState& dialog) {
    return nextFile(dialog);
}

std::vector<std::string> TerminalPrompts::chooseOpenFiles(FileDialogState& dialog) {
    std::vector<std::string> chosen;
    chosen.swap(files);
    if (!chosen.empty()) dialog.fileName = chosen.back();
    return chosen;
}

std::optional<std::string> TerminalPrompts::chooseSaveFile(FileDialogState& dialog) {
    return nextFile(dialog);
}

// ---------------------------------------------------------------------------------------------

void TerminalProgress::prepare(const std::string& caption, const std::string& status,
                               const std::string&, int maximum) {
    caption_ = caption;
    status_ = status;
    maximum_ = maximum;
    position_ = 0;
    lastPercent_ = -1;
    failed_ = false;
    open_ = true;
    redraw();
}

void TerminalProgress::setStatus(const std::string& text) {
    status_ = text;
    lastPercent_ = -1;
    redraw();
}

void TerminalProgress::setMaximum(int maximum) {
    maximum_ = maximum;
    redraw();
}

void TerminalProgress::setPosition(int position) {
    position_ = position;
    redraw();
}

void TerminalProgress::finish() {
    lastPercent_ = -1;
    redraw();
    if (draw_ && open_) err_ << '\n' << std::flush;
    open_ = false;
}

void TerminalProgress::redraw() {
    if (!draw_ || !open_) return;
    const int percent =
        maximum_ > 0 ? static_cast<int>(100LL * std::clamp(position_, 0, maximum_) / maximum_) : 0;
    // Redrawn when the percentage moves: a transfer of thousands of reports writes a hundred
    // lines at most.
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    err_ << '\r' << caption_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] ";
    // Before the amount of work is known, no "0% 0/0": only what is being done.
    if (maximum_ > 0) err_ << percent << "% " << position_ << '/' << maximum_ << ' ';
    err_ << status_ << "\x1b[K" << std::flush;
}

// ---------------------------------------------------------------------------------------------

bool TerminalConfirmation::confirm(const std::string& currentVersion, const std::string& question,
                                   const std::string& file) {
    if (!prompts_.quiet) err_ << currentVersion << '\n' << file << '\n';
    return prompts_.askYesNo({}, question);
}

}  // namespace veltra::cli
