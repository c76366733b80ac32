// The TV logger viewer.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TLoggerWindow : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TLoggerWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
