#include "loggers/TModemWindow.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TModemWindow::TModemWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("ModemWindow");
}

void TModemWindow::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(161))); }

}  // namespace veltra
