// The progress window of firmware updates and channel plan transfers. Shown without being modal
// and on top; it has no title-bar buttons and closes only with OK once the operation ended.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "face/Progress.h"
#include "language/WindowTexts.h"

namespace veltra {

class TUpdatingFORM : public QDialog, public WindowTexts, public Progress {
    Q_OBJECT
  public:
    explicit TUpdatingFORM(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;

    // Progress
    void prepare(const std::string& caption, const std::string& status, const std::string& warning,
                 int maximum) override;
    void setStatus(const std::string& text) override;
    void setWarning(const std::string& text) override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    int position() const override { return position_; }
    int maximum() const override { return maximum_; }
    void setBarVisible(bool visible) override { Progres->setVisible(visible); }
    void finish() override;

    void OutUpdClick();

    QLabel* Status;
    QProgressBar* Progres;
    QPushButton* OutUpd;
    QWidget* WarningPanel;
    QLabel* DoNotDisconnect;

  protected:
    void showBar();
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    int position_ = 0;
    int maximum_ = 0;
};

}  // namespace veltra
