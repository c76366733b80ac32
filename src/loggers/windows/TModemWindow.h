// The modem logger viewer (Unitmodem): eight downstream and four upstream channels.
#pragma once

#include "loggers/windows/LoggerViewer.h"

namespace veltra {

class TModemWindow : public LoggerViewer {
    Q_OBJECT
  public:
    explicit TModemWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    void showRecord() override;

    StringGrid* TaulaRegistre1;
    StringGrid* TaulaRegistre2;

  protected:
    std::string& recordName() override { return records_->modem.name; }
    const std::string& recordFileName() override { return records_->modem.fileName; }
    const std::string& recordDate() override { return records_->modem.date; }
    const std::string& recordTime() override { return records_->modem.time; }
    void clientResized(QSize size) override;
};

}  // namespace veltra
