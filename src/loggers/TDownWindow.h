// The downstream logger viewer.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TDownWindow : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TDownWindow(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
