#include "shell/windows/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace veltra {

QString LocaleOfLanguage(const QString& languageName) {
    const QString wanted = languageName.trimmed();
    if (wanted.isEmpty()) return {};
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        if (locale.language() == QLocale::C) continue;
        if (locale.nativeLanguageName().compare(wanted, Qt::CaseInsensitive) == 0 ||
            QLocale::languageToString(locale.language()).compare(wanted, Qt::CaseInsensitive) == 0)
            return QLocale::languageToCode(locale.language());
    }
    return {};
}

void UseQtTranslation(const QString& languageName) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    const QString code = LocaleOfLanguage(languageName);
    if (code.isEmpty() || code == "en") return;
    auto translator = std::make_unique<QTranslator>();
    // Beside the program first (a portable copy may bring them), then the system's.
    const QString folders[] = {QCoreApplication::applicationDirPath() + "/translations",
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& folder : folders) {
        if (translator->load("qtbase_" + code, folder)) {
            QCoreApplication::installTranslator(translator.get());
            installed = std::move(translator);
            return;
        }
    }
}

}  // namespace veltra
