// The confirmation before a firmware update (Confirmupgr): the current version, the question and
// the file to be loaded, with Yes and No.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "firmware/FirmwareUpdates.h"
#include "language/WindowTexts.h"

namespace veltra {

class TConfUpgr : public QDialog, public WindowTexts, public UpdateConfirmation {
    Q_OBJECT
  public:
    explicit TConfUpgr(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    bool confirm(const std::string& currentVersion, const std::string& question,
                 const std::string& file) override;
    // How the window is shown modally (tests answer it instead).
    void setModalRunner(std::function<int(TConfUpgr&)> runner) { modalRunner_ = std::move(runner); }

    QLabel* VersioActual;
    QLabel* Confirm;
    QLabel* VersionTo;
    QPushButton* SI;
    QPushButton* NO;

  private:
    std::function<int(TConfUpgr&)> modalRunner_;
};

}  // namespace veltra
