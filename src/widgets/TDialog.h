// The one-line text entry dialog: the plan rename of the editor and the logger rename of the
// viewers. Each user sets colour, caption, prompt and text before showing it modally.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "language/WindowTexts.h"

namespace veltra {

class TDialog : public QDialog, public WindowTexts {
    Q_OBJECT
  public:
    explicit TDialog(QWidget* parent = nullptr);
    void applyLanguageTexts(const LanguageTable& texts) override;

    // Prepares the dialog, shows it modally and returns the text after OK.
    std::optional<QString> ask(const QColor& background, const QString& caption,
                               const QString& prompt, const QString& text);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* OKBut;
};

}  // namespace veltra
