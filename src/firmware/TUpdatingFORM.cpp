#include "firmware/TUpdatingFORM.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TUpdatingFORM::TUpdatingFORM(QWidget* parent) : QDialog(parent) {
    setObjectName("UpdatingFORM");
}

void TUpdatingFORM::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(56))); }

}  // namespace veltra
