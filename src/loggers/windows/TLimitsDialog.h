// The Limits dialog of a viewer: the limit set it judges and draws by, chosen among the program's
// sets and the technician's own, its values edited; an own set saved beside the others, a set
// read from a file a team shares, or written to one.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>
#include <vector>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"
#include "loggers/LimitSets.h"
#include "loggers/Verdicts.h"

namespace veltra {

class TLimitsDialog : public QDialog {
    Q_OBJECT
  public:
    // `current`: the viewer's set, shown first; `ownFolder`: where own sets are kept.
    // Levels are shown and edited in `unit`; the sets keep dBuV.
    TLimitsDialog(const LimitSet& current, std::string ownFolder, UserPrompts* prompts,
                  const LanguageTable& texts, QWidget* parent, LevelUnit unit = LevelUnit::dBuV);

    // The set the dialog's name and values make; on a fault, nothing and `error` saying which
    // value.
    std::optional<LimitSet> shownSet(std::string& error) const;
    // The set accepted.
    const LimitSet& chosen() const { return chosen_; }
    // Shows the values of the set at `index` of the choice.
    void LimitSetChoiceChange(int index);
    void SaveOwnClick();
    void ImportClick();
    void ExportClick();
    // Accepts a set whose values make one; else says why and stays open.
    void accept() override;

    QComboBox* LimitSetChoice;
    QLineEdit* LimitSetName;
    // One box per value, a range's two side by side, in the order of LimitFields(); the BER as
    // text ("1.0E-4").
    std::vector<QDoubleSpinBox*> Values;
    QLineEdit* BerEdit;
    QPushButton *SaveOwnButton, *ImportButton, *ExportButton;
    QDialogButtonBox* Buttons;
    FileDialogState ImportDialog, ExportDialog;

  private:
    void showSet(const LimitSet& set);
    // The program's sets, then the own ones, then `extra` when no set of its name is there.
    void fillChoice(const LimitSet& extra);
    void say(int code, const std::string& text, MessageIcon icon);

    std::string ownFolder_;
    UserPrompts* prompts_;
    const LanguageTable& texts_;
    std::vector<LimitSet> sets_;
    LevelUnit unit_;
    LimitSet chosen_;
};

}  // namespace veltra
