// The service terminal (Unitoculta): sends any command text as a query and shows the answer.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <optional>
#include <string>

#include "language/WindowTexts.h"

namespace veltra {

class TOculta : public QDialog, public WindowTexts {
    Q_OBJECT
  public:
    explicit TOculta(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;
    // Sends a command text unchanged (no device search) and gives the answer text.
    void setQuery(std::function<std::optional<std::string>(const std::string&)> query) {
        query_ = std::move(query);
    }
    void EnvPregButClick();

    QLineEdit* Edit1;
    QPushButton* EnvPregBut;
    QLabel* Label1;
    QLineEdit* Edit2;

  private:
    std::function<std::optional<std::string>(const std::string&)> query_;
};

}  // namespace veltra
