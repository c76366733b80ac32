#include "widgets/TDialog.h"

#include <QScreen>

#include "widgets/WindowStyle.h"

namespace veltra {

TDialog::TDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("Dialog");
    setFixedSize(308, 166);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(24, 16, 273, 49);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(56, 72, 185, 32);
    Label1->setBuddy(Edit1);

    OKBut = new QPushButton("OK", this);
    OKBut->setObjectName("OKBut");
    OKBut->setGeometry(104, 120, 89, 25);
    OKBut->setDefault(true);
    connect(OKBut, &QPushButton::clicked, this, &QDialog::accept);
}

void TDialog::applyLanguageTexts(const LanguageTable& /*texts*/) {}  // set by each user

std::optional<QString> TDialog::ask(const QColor& background, const QString& caption,
                                    const QString& prompt, const QString& text) {
    SetBackground(this, background);
    setWindowTitle(caption);
    Label1->setText(prompt);
    Edit1->setText(text);
    Edit1->selectAll();
    Edit1->setFocus();
    CentreOnScreen(this);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Edit1->text();
}

}  // namespace veltra
