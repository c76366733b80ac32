// The modem logger viewer.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TModemWindow : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TModemWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
