// The service terminal: sends any command and shows the answer.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TOculta : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TOculta(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
