// The box about the instrument.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TAboutVELTRA52 : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TAboutVELTRA52(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
