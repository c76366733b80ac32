// The progress window of firmware updates and channel plan transfers.
#pragma once

#include <QDialog>

#include "language/WindowTexts.h"

namespace veltra {

class TUpdatingFORM : public QDialog, public WindowTexts {
    Q_OBJECT
public:
    explicit TUpdatingFORM(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
};

}  // namespace veltra
