#include "shell/windows/TAboutController.h"

#include "language/LanguageTable.h"
#include "shell/windows/TAboutVELTRA52.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

TAboutController::TAboutController(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("AboutController");
    setFixedSize(360, 200);
    SetBackground(this, QColor(119, 153, 255));
    Picture = new QLabel(this);
    Picture->setObjectName("Picture");
    Picture->setGeometry(16, 16, 80, 110);
    Picture->setPixmap(DrawInstrumentPicture(Picture->size()));
    VersioControllerLabel = new QLabel(kVersionLabel, this);
    VersioControllerLabel->setObjectName("VersioControllerLabel");
    VersioControllerLabel->setGeometry(112, 40, 232, 24);
    QFont bold = VersioControllerLabel->font();
    bold.setBold(true);
    VersioControllerLabel->setFont(bold);
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(136, 156, 89, 28);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutController::applyLanguageTexts(const LanguageTable& texts) {
    ApplyWindowTexts(*this, window_text::kAboutController, texts);
    VersioControllerLabel->setText(kVersionLabel);
}

}  // namespace veltra
