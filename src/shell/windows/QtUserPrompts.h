// UserPrompts with real message boxes and file dialogs, parented to the main window.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"

namespace veltra {

class QtUserPrompts : public UserPrompts {
  public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    // The language of the boxes' buttons (the program's texts, as they change).
    void setTexts(const LanguageTable* texts) { texts_ = texts; }

    void showMessage(int code, const std::string& caption, const std::string& text,
                     MessageIcon icon) override;
    bool askYesNo(const std::string& caption, const std::string& text) override;
    YesNoCancel askYesNoCancel(const std::string& caption, const std::string& text) override;
    std::optional<std::string> chooseOpenFile(FileDialogState& dialog) override;
    std::vector<std::string> chooseOpenFiles(FileDialogState& dialog) override;
    std::optional<std::string> chooseSaveFile(FileDialogState& dialog) override;
    void processEvents() override;
    void beginWait() override;
    void endWait() override;

    // Repaints cost more than a USB exchange: between two exchanges the windows get their
    // events at most every this many milliseconds.
    static constexpr int kEventIntervalMs = 20;

  private:
    QPointer<QWidget> parent_;
    const LanguageTable* texts_ = nullptr;
    QElapsedTimer sinceEvents_;
};

}  // namespace veltra
