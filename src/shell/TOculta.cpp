#include "shell/TOculta.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TOculta::TOculta(QWidget* parent) : QDialog(parent) {
    setObjectName("Oculta");
}

void TOculta::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(34))); }

}  // namespace veltra
