#include "shell/windows/TAboutVELTRA52.h"

#include <QEvent>
#include <QPainter>

#include "language/LanguageTable.h"
#include "shell/windows/LeftAltKey.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

QPixmap DrawInstrumentPicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    p.setBrush(QColor(20, 40, 110));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(w * 0.12, h * 0.04, w * 0.76, h * 0.92), 10, 10);
    p.setBrush(QColor(200, 235, 255));
    const QRectF screen(w * 0.2, h * 0.1, w * 0.6, h * 0.38);
    p.drawRect(screen);
    p.setPen(QPen(QColor(0, 130, 60), 2));
    QPolygonF trace;
    for (int i = 0; i <= 40; ++i) {
        const qreal x = screen.left() + screen.width() * i / 40.0;
        const qreal peak = (i % 10 == 5) ? 0.75 : (i % 10 == 4 || i % 10 == 6) ? 0.45 : 0.1;
        trace << QPointF(x, screen.bottom() - screen.height() * peak * 0.9 - 3);
    }
    p.drawPolyline(trace);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 0 && col == 1 ? QColor(240, 180, 30) : QColor(220, 220, 230));
            p.drawEllipse(QPointF(w * (0.32 + 0.18 * col), h * (0.6 + 0.11 * row)), w * 0.06,
                          w * 0.06);
        }
    }
    return picture;
}

TAboutVELTRA52::TAboutVELTRA52(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("AboutVELTRA52");
    setFixedSize(420, 300);
    SetBackground(this, QColor(119, 153, 255));

    Picture = new QLabel(this);
    Picture->setObjectName("Picture");
    Picture->setGeometry(16, 16, 110, 150);
    Picture->setPixmap(DrawInstrumentPicture(Picture->size()));
    ProductLine = new QLabel("VELTRA-52 Cable TV and DOCSIS 3.0 Analyser", this);
    ProductLine->setObjectName("ProductLine");
    ProductLine->setGeometry(140, 20, 264, 44);
    ProductLine->setWordWrap(true);
    QFont bold = ProductLine->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    ProductLine->setFont(bold);
    Logo = new QLabel(this);
    Logo->setObjectName("Logo");
    Logo->setGeometry(140, 72, 144, 24);
    QPixmap logo(144, 24);
    logo.fill(QColor(0, 0, 128));
    {
        QPainter painter(&logo);
        painter.setPen(Qt::white);
        painter.setFont(LogoFont());
        painter.drawText(logo.rect(), Qt::AlignCenter, "VELTRA-52");
    }
    Logo->setPixmap(logo);

    const char* lines[] = {"Veltra Test Equipment", "Avinguda del Senyal 52",
                           "08052 Barcelona (Spain)", "Phone +34 930 000 052",
                           "service@veltra.example"};
    QLabel** targets[] = {&StaticText1, &StaticText2, &StaticText3, &StaticText4, &StaticText5};
    for (int i = 0; i < 5; ++i) {
        QLabel* line = new QLabel(lines[i], this);
        line->setObjectName(QString("StaticText%1").arg(i + 1));
        line->setGeometry(140, 110 + 22 * i, 264, 20);
        line->installEventFilter(this);
        *targets[i] = line;
    }
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(166, 256, 89, 28);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutVELTRA52::applyLanguageTexts(const LanguageTable& texts) {
    ApplyWindowTexts(*this, window_text::kAboutVeltra52, texts);
}

void TAboutVELTRA52::setServices(const LeftAltKey* leftAlt, std::function<void()> showTerminal,
                                 std::function<void()> eraseAllPlans) {
    leftAlt_ = leftAlt;
    showTerminal_ = std::move(showTerminal);
    eraseAllPlans_ = std::move(eraseAllPlans);
}

void TAboutVELTRA52::StaticText2Click() {
    if (leftAlt_ && leftAlt_->down() && showTerminal_) showTerminal_();
}

void TAboutVELTRA52::StaticText3Click() {
    if (leftAlt_ && leftAlt_->down() && eraseAllPlans_) eraseAllPlans_();
}

bool TAboutVELTRA52::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == StaticText2) StaticText2Click();
        if (watched == StaticText3) StaticText3Click();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace veltra
