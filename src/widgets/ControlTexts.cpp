#include "widgets/ControlTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtGlobal>

#include "language/TextKeys.h"
#include "widgets/QtText.h"

namespace veltra {

namespace {

// The tab widget that shows `page` as one of its tabs, if any (a page sits in the tab widget's
// stack).
QTabWidget* TabsOf(QWidget* page) {
    QWidget* stack = page->parentWidget();
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

}  // namespace

void ApplyControlTexts(QWidget& window, std::span<const window_text::Control> controls,
                       const LanguageTable& texts) {
    for (const window_text::Control& control : controls) {
        const QString text = toQt(texts.text(control.key));
        QObject* found = window.findChild<QObject*>(control.name);
        if (!found) {
            qWarning("%s has no control %s", qPrintable(window.objectName()), control.name);
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(found);
        if (control.shows == window_text::Shows::Hint && widget) {
            widget->setToolTip(text);
        } else if (control.shows == window_text::Shows::Description && widget) {
            widget->setAccessibleDescription(text);
        } else if (auto* action = qobject_cast<QAction*>(found)) {
            action->setText(text);
        } else if (auto* menu = qobject_cast<QMenu*>(found)) {
            menu->setTitle(text);
        } else if (auto* label = qobject_cast<QLabel*>(found)) {
            label->setText(text);
            label->adjustSize();
        } else if (auto* button = qobject_cast<QAbstractButton*>(found)) {
            button->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(found)) {
            group->setTitle(text);
        } else if (QTabWidget* tabs = widget ? TabsOf(widget) : nullptr) {
            tabs->setTabText(tabs->indexOf(widget), text);
        } else {
            qWarning("%s.%s cannot show a text", qPrintable(window.objectName()), control.name);
        }
    }
}

void ApplyAddedTexts(QWidget& window, std::span<const window_text::Control> controls) {
    static const LanguageTable builtIn;
    for (const window_text::Control& control : controls)
        if (control.key >= kFirstAddedText) ApplyControlTexts(window, {&control, 1}, builtIn);
}

std::string FileFilter(const LanguageTable& texts, int nameKey, const std::string& patterns,
                       bool allFiles) {
    std::string filter = texts.text(nameKey) + " (" + patterns + ")";
    if (allFiles) filter += ";;" + texts.text(text::kAllFiles) + " (*)";
    return filter;
}

void ApplyWindowTexts(QWidget& window, const window_text::Window& table,
                      const LanguageTable& texts) {
    window.setWindowTitle(toQt(texts.text(table.caption)));
    ApplyControlTexts(window, table.controls, texts);
}

namespace {

template <typename Box, typename Button>
void NameButtons(Box& box, const LanguageTable& texts, std::initializer_list<Button> which) {
    const int keys[] = {text::kOkButton, text::kCancelButton, text::kYesButton, text::kNoButton};
    int k = 0;
    for (Button button : which) {
        if (auto* shown = box.button(button)) shown->setText(toQt(texts.text(keys[k])));
        ++k;
    }
}

}  // namespace

void NameStandardButtons(QDialogButtonBox& buttons, const LanguageTable& texts) {
    NameButtons(buttons, texts,
                {QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Yes,
                 QDialogButtonBox::No});
}

void NameStandardButtons(QMessageBox& box, const LanguageTable& texts) {
    NameButtons(box, texts,
                {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No});
}

}  // namespace veltra
