#include "editor/TEditor.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TEditor::TEditor(QWidget* parent) : QDialog(parent) {
    setObjectName("Editor");
}

void TEditor::applyLanguageTexts(const LanguageTable& texts) { setWindowTitle(toQt(texts.text(100))); }

}  // namespace veltra
