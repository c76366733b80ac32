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
    std::string& recordName() override { return transfers_->records.tv.name; }
    const std::string& recordFileName() override { return transfers_->records.tv.fileName; }
    const std::string& recordDate() override { return transfers_->records.tv.date; }
    const std::string& recordTime() override { return transfers_->records.tv.time; }
    int writeAs() override { return transfers_->WriteTvLogger(kSaveAs, &SaveLoggerDialog); }
};

}  // namespace veltra
