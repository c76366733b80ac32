// Puts a window's language texts on its controls, found by object name (see WindowTextTables.h).
#pragma once

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QWidget>
#include <span>

#include "language/LanguageTable.h"
#include "language/WindowTextTables.h"

namespace veltra {

// Each named child of `window` gets its text: a label (then fitted to it), a button, a group
// box's title, a menu's title, a menu entry, a tab page's tab, or the hint where marked.
void ApplyControlTexts(QWidget& window, std::span<const window_text::Control> controls,
                       const LanguageTable& texts);
// The controls of texts added to the original 170, in their built-in English: their captions
// until a language file is loaded, as the original texts have their design-time captions.
void ApplyAddedTexts(QWidget& window, std::span<const window_text::Control> controls);
// A file dialog's filter: the language text `nameKey` with `patterns` ("*.c52"), then all files
// unless `allFiles` is false.
std::string FileFilter(const LanguageTable& texts, int nameKey, const std::string& patterns,
                       bool allFiles = true);
// OK, Cancel, Yes and No in the program's language on a dialog's or a message box's buttons.
void NameStandardButtons(QDialogButtonBox& buttons, const LanguageTable& texts);
void NameStandardButtons(QMessageBox& box, const LanguageTable& texts);
// The window's caption, then its controls.
void ApplyWindowTexts(QWidget& window, const window_text::Window& table,
                      const LanguageTable& texts);

}  // namespace veltra
