#include "shell/TAboutController.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TAboutController::TAboutController(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutController");
}

void TAboutController::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(10))); }

}  // namespace veltra
