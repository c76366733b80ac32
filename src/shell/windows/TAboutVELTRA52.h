// The box about the instrument (Sobreveltra). Its second and third text lines hide two service
// functions that open only while the left Alt key is held: the terminal and erasing every plan.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "language/WindowTexts.h"

namespace veltra {

class LeftAltKey;

class TAboutVELTRA52 : public QDialog, public WindowTexts {
    Q_OBJECT
  public:
    explicit TAboutVELTRA52(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    void setServices(const LeftAltKey* leftAlt, std::function<void()> showTerminal,
                     std::function<void()> eraseAllPlans);

    void StaticText2Click();
    void StaticText3Click();

    QLabel* Picture;
    QLabel* ProductLine;
    QLabel* Logo;
    QLabel *StaticText1, *StaticText2, *StaticText3, *StaticText4, *StaticText5;
    QPushButton* Button1;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const LeftAltKey* leftAlt_ = nullptr;
    std::function<void()> showTerminal_;
    std::function<void()> eraseAllPlans_;
};

// The instrument drawn for the about boxes.
QPixmap DrawInstrumentPicture(const QSize& size);

}  // namespace veltra
