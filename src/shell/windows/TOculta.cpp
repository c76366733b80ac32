#include "shell/windows/TOculta.h"

#include "language/LanguageTable.h"
#include "link/Report.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

TOculta::TOculta(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("Oculta");
    setFixedSize(420, 150);
    SetBackground(this, QColor(255, 0, 0));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(16, 16, 280, 28);
    Edit1->setMaxLength(static_cast<int>(kMaxCommandLength));  // one report's worth
    Edit1->setAccessibleName("Command");
    EnvPregBut = new QPushButton("Send", this);
    EnvPregBut->setObjectName("EnvPregBut");
    EnvPregBut->setGeometry(312, 16, 92, 28);
    EnvPregBut->setDefault(true);
    Label1 = new QLabel("Answer:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 60, 280, 20);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setGeometry(16, 84, 388, 28);
    Edit2->setReadOnly(true);
    Label1->setBuddy(Edit2);
    connect(EnvPregBut, &QPushButton::clicked, this, &TOculta::EnvPregButClick);
}

void TOculta::applyLanguageTexts(const LanguageTable& texts) {
    ApplyWindowTexts(*this, window_text::kOculta, texts);
}

void TOculta::EnvPregButClick() {
    if (!query_) return;
    const auto answer = query_(fromQt(Edit1->text()));
    Edit2->setText(toQt(answer.value_or("")));
}

}  // namespace veltra
