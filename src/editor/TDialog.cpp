#include "editor/TDialog.h"

#include "language/LanguageTable.h"
#include "shell/QtText.h"

namespace veltra {

TDialog::TDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("Dialog");
}

void TDialog::applyLanguageTexts(const LanguageTable& /*texts*/) {}  // set by each user

}  // namespace veltra
