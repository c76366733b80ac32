// The TV logger viewer (Loggerswindow).
#pragma once

#include <QSplitter>
#include <optional>

#include "language/TextKeys.h"
#include "loggers/windows/GraphView.h"
#include "loggers/windows/LoggerViewer.h"
#include "widgets/QtText.h"

namespace veltra {

class TLoggerWindow : public LoggerViewer {
    Q_OBJECT
  public:
    explicit TLoggerWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    void showRecord() override;

    QLabel *ChPlanNameLabel, *ModeMesuraSorollLabel, *FreqMesuraSorollLabel, *LlindarLabel;
    QLineEdit *ChPNameEdit, *ModeMesuraSorollEdit, *FreqMesuraSorollEdit, *LlindarEdit;
    StringGrid* TaulaRegistre;
    // The graph under the table, the line naming channels of only one of two compared loggers.
    QSplitter* Splitter;
    QLabel* OnlyInOne;
    QAction* CompareWith;
    // Ends the comparison; enabled while there is one.
    QAction* StopComparing;
    FileDialogState CompareDialog;

    // How a second TV logger is opened for "Compare with...": none when it could not be read.
    void setCompareSource(std::function<std::optional<TvLogger>(FileDialogState&)> open) {
        openForComparison_ = std::move(open);
    }
    // The logger compared with the shown one, or none.
    void compareWith(std::optional<TvLogger> other);

  protected:
    std::string& recordName() override { return records_->tv.name; }
    std::string recordPlan() const override { return records_->tv.planName; }
    std::string recordComparison() const override { return fromQt(OnlyInOne->text()); }
    std::vector<std::pair<const StringGrid*, int>> reportTables() const override {
        return {{TaulaRegistre, 0}};
    }
    const std::string& recordFileName() override { return records_->tv.fileName; }
    const std::string& recordDate() override { return records_->tv.date; }
    const std::string& recordTime() override { return records_->tv.time; }
    void clientResized(QSize size) override;
    void anotherLogger() override { compared_.reset(); }

  private:
    void CompareWithClick();
    void StopComparingClick();
    QString rowText(const GraphBar& bar) const;

    std::optional<TvLogger> compared_;
    std::function<std::optional<TvLogger>(FileDialogState&)> openForComparison_;
};

}  // namespace veltra
