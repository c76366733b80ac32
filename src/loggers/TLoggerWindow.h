// The TV logger viewer (Loggerswindow).
#pragma once

#include "loggers/LoggerViewer.h"

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

  protected:
    std::string& recordName() override { return records_->tv.name; }
    const std::string& recordFileName() override { return records_->tv.fileName; }
    const std::string& recordDate() override { return records_->tv.date; }
    const std::string& recordTime() override { return records_->tv.time; }
};

}  // namespace veltra
