#include "firmware/windows/TUpdatingFORM.h"

#include <QCloseEvent>

#include "language/LanguageTable.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

namespace {
const QColor kSkyBlue(166, 202, 240);
}

TUpdatingFORM::TUpdatingFORM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName("UpdatingFORM");
    setModal(false);
    setFixedSize(345, 190);

    Status = new QLabel(this);
    Status->setObjectName("Status");
    Status->setGeometry(16, 12, 313, 20);
    QFont bold = Status->font();
    bold.setBold(true);
    Status->setFont(bold);

    Progres = new QProgressBar(this);
    Progres->setObjectName("Progres");
    Progres->setGeometry(16, 40, 313, 18);
    Progres->setTextVisible(false);
    Progres->setRange(0, 1);

    WarningPanel = new QWidget(this);
    WarningPanel->setObjectName("WarningPanel");
    WarningPanel->setGeometry(16, 68, 313, 72);
    SetBackground(WarningPanel, kSkyBlue);
    DoNotDisconnect = new QLabel(WarningPanel);
    DoNotDisconnect->setObjectName("DoNotDisconnect");
    DoNotDisconnect->setGeometry(9, 6, 295, 60);
    DoNotDisconnect->setWordWrap(true);
    DoNotDisconnect->setAlignment(Qt::AlignCenter);

    OutUpd = new QPushButton("OK", this);
    OutUpd->setObjectName("OutUpd");
    OutUpd->setGeometry(135, 150, 75, 28);
    OutUpd->setEnabled(false);
    connect(OutUpd, &QPushButton::clicked, this, &TUpdatingFORM::OutUpdClick);
}

void TUpdatingFORM::applyLanguageTexts(const LanguageTable& texts) {
    DoNotDisconnect->setFixedWidth(295);
    ApplyWindowTexts(*this, window_text::kUpdatingForm, texts);
}

void TUpdatingFORM::prepare(const std::string& caption, const std::string& status,
                            const std::string& warning, int maximum) {
    setWindowTitle(toQt(caption));
    Status->setText(toQt(status));
    DoNotDisconnect->setFixedWidth(295);
    DoNotDisconnect->setText(toQt(warning));
    maximum_ = std::max(0, maximum);
    position_ = 0;
    showBar();
    Progres->setVisible(true);
    OutUpd->setEnabled(false);
    show();
    raise();
}

void TUpdatingFORM::setStatus(const std::string& text) {
    Status->setText(toQt(text));
}

void TUpdatingFORM::setWarning(const std::string& text) {
    DoNotDisconnect->setFixedWidth(295);
    DoNotDisconnect->setText(toQt(text));
}

void TUpdatingFORM::setMaximum(int maximum) {
    maximum_ = std::max(0, maximum);
    position_ = std::min(position_, maximum_);
    showBar();
}

void TUpdatingFORM::setPosition(int position) {
    position_ = std::clamp(position, 0, maximum_);
    showBar();
}

void TUpdatingFORM::showBar() {
    // An empty range would make the bar a busy indicator: show a full or empty bar instead.
    if (maximum_ == 0) {
        Progres->setRange(0, 1);
        Progres->setValue(OutUpd->isEnabled() ? 1 : 0);
    } else {
        Progres->setRange(0, maximum_);
        Progres->setValue(position_);
    }
}

void TUpdatingFORM::finish() {
    OutUpd->setEnabled(true);
    showBar();
}

void TUpdatingFORM::OutUpdClick() {
    hide();
}

void TUpdatingFORM::closeEvent(QCloseEvent* event) {
    if (OutUpd->isEnabled()) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();  // not while the operation runs
    }
}

void TUpdatingFORM::reject() {
    if (OutUpd->isEnabled()) hide();
}

}  // namespace veltra
