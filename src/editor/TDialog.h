// The one-line text entry dialog used to rename plans and loggers.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TDialog : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TDialog(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
