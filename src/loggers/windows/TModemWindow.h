// The modem logger viewer (Unitmodem): eight downstream and four upstream channels, and a
// graph of each.
#pragma once

#include "language/TextKeys.h"
#include "loggers/windows/LoggerViewer.h"
#include "widgets/QtText.h"

namespace veltra {

class TModemWindow : public LoggerViewer {
    Q_OBJECT
  public:
    explicit TModemWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    void showRecord() override;

    StringGrid* TaulaRegistre1;
    StringGrid* TaulaRegistre2;
    // The downstream and the upstream channels' graphs; UpGraph is the viewer's Graph.
    GraphView *DownGraph, *UpGraph;

  protected:
    std::string& recordName() override { return records_->modem.name; }
    std::vector<std::pair<const StringGrid*, int>> reportTables() const override {
        return {{TaulaRegistre1, text::kDownstreamGraph}, {TaulaRegistre2, text::kUpstreamGraph}};
    }
    const std::string& recordFileName() override { return records_->modem.fileName; }
    const std::string& recordDate() override { return records_->modem.date; }
    const std::string& recordTime() override { return records_->modem.time; }
    void clientResized(QSize size) override;

  private:
    void fitTables();
    std::array<int, 2> neededWidth_{};  // each table's columns and frame
};

}  // namespace veltra
