// The box about this software.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TAboutController : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TAboutController(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
