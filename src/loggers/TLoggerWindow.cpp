#include "loggers/TLoggerWindow.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TLoggerWindow::TLoggerWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("LoggerWindow");
}

void TLoggerWindow::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(159))); }

}  // namespace veltra
