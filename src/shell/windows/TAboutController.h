// The box about this software (About2).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "language/WindowTexts.h"

namespace veltra {

class TAboutController : public QDialog, public WindowTexts {
    Q_OBJECT
  public:
    explicit TAboutController(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;

    QLabel* Picture;
    QLabel* VersioControllerLabel;
    QPushButton* Button1;
};

}  // namespace veltra
