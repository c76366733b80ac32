#include "firmware/TConfUpgr.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TConfUpgr::TConfUpgr(QWidget* parent) : QDialog(parent) {
    setObjectName("ConfUpgr");
}

void TConfUpgr::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(33))); }

}  // namespace veltra
