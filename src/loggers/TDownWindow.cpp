#include "loggers/TDownWindow.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TDownWindow::TDownWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("DownWindow");
}

void TDownWindow::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(160))); }

}  // namespace veltra
