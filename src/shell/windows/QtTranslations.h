// Qt's own words (the file dialog's "Look in:", a context menu's "Copy") in the program's
// language, where the system has Qt's translations for it.
#pragma once

#include <QString>

namespace veltra {

// The locale whose language calls itself `languageName` ("Español" -> "es"), matched without
// regard to case; empty for a name no language has.
QString LocaleOfLanguage(const QString& languageName);

// Puts Qt's translation of the language named so in place of the last one; English, or a
// language Qt has no translation for, leaves Qt's own English.
void UseQtTranslation(const QString& languageName);

}  // namespace veltra
