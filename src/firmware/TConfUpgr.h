// The confirmation before a firmware update.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TConfUpgr : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TConfUpgr(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
