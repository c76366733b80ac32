// The downstream logger viewer (Unitdown): one measured channel and a table of eight.
#pragma once

#include "loggers/windows/LoggerViewer.h"

namespace veltra {

class TDownWindow : public LoggerViewer {
    Q_OBJECT
  public:
    explicit TDownWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    void showRecord() override;

    QLabel *ChannelLabel, *ChannelPlanLabel, *SystLabel, *VerLabel, *FreqLabel, *ModLabel,
        *SymbolLabel, *OffsetLabel, *PowerLabel, *MERLabel, *iLabel, *jLabel, *PreBERLabel,
        *PostBERLabel;
    QLineEdit *ChannelEdit, *ChannelPlanEdit, *SystemEdit, *VersionEdit, *FreqEdit, *ModEdit,
        *SymbolEdit, *OffsetEdit, *PowerEdit, *MEREdit, *IEdit, *JEdit, *PreBEREdit, *PostBEREdit;
    StringGrid* TaulaRegistre;

  protected:
    std::string& recordName() override { return records_->down.name; }
    std::string recordPlan() const override { return records_->down.planName; }
    std::vector<std::pair<const StringGrid*, int>> reportTables() const override {
        return {{TaulaRegistre, 0}};
    }
    const std::string& recordFileName() override { return records_->down.fileName; }
    const std::string& recordDate() override { return records_->down.date; }
    const std::string& recordTime() override { return records_->down.time; }
    void clientResized(QSize size) override;
};

}  // namespace veltra
