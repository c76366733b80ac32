// The channel plan editor.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TEditor : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TEditor(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
