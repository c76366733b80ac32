#include "shell/TAboutVELTRA52.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TAboutVELTRA52::TAboutVELTRA52(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutVELTRA52");
}

void TAboutVELTRA52::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(9))); }

}  // namespace veltra
