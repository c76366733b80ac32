#include "firmware/windows/TConfUpgr.h"

#include "language/LanguageTable.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"

namespace veltra {

TConfUpgr::TConfUpgr(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("ConfUpgr");
    setFixedSize(420, 200);
    VersioActual = new QLabel(this);
    VersioActual->setObjectName("VersioActual");
    VersioActual->setGeometry(24, 16, 372, 24);
    Confirm = new QLabel(this);
    Confirm->setObjectName("Confirm");
    Confirm->setGeometry(24, 48, 372, 40);
    Confirm->setWordWrap(true);
    QFont bold = Confirm->font();
    bold.setBold(true);
    Confirm->setFont(bold);
    VersionTo = new QLabel(this);
    VersionTo->setObjectName("VersionTo");
    VersionTo->setGeometry(24, 92, 372, 52);
    VersionTo->setWordWrap(true);
    VersionTo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SI = new QPushButton("Yes", this);
    SI->setObjectName("SI");
    SI->setGeometry(112, 156, 89, 28);
    NO = new QPushButton("No", this);
    NO->setObjectName("NO");
    NO->setGeometry(220, 156, 89, 28);
    NO->setDefault(true);
    connect(SI, &QPushButton::clicked, this, &QDialog::accept);
    connect(NO, &QPushButton::clicked, this, &QDialog::reject);
}

void TConfUpgr::applyLanguageTexts(const LanguageTable& texts) {
    ApplyWindowTexts(*this, window_text::kConfUpgr, texts);
}

bool TConfUpgr::confirm(const std::string& currentVersion, const std::string& question,
                        const std::string& file) {
    VersioActual->setText(toQt(currentVersion));
    Confirm->setText(toQt(question));
    VersionTo->setText(toQt(file));
    const int result = modalRunner_ ? modalRunner_(*this) : exec();
    return result == QDialog::Accepted;
}

}  // namespace veltra
