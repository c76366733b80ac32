// The main window's language menu, language loading and window texts.
#include <QAction>
#include <stdexcept>

#include "face/Messages.h"
#include "shell/windows/QtTranslations.h"
#include "shell/windows/TForm1.h"
#include "widgets/ControlTexts.h"
#include "widgets/Pictures.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

namespace {
// A button caption broken into lines that fit the button.
QString MultiLine(const QPushButton* button, const QString& text) {
    const QFontMetrics metrics(button->font());
    const int width = button->width() - 16;
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines.join('\n');
}
}  // namespace

void TForm1::BuildLanguageMenu() {
    Idioma1->clear();
    const auto files = ListLanguageFiles(language_.languagesFolder());
    for (std::size_t i = 0; i < files.size(); ++i) {
        // The caption is the language name itself: no accelerator may be added to it.
        QString caption = toQt(LanguageNameOfFile(files[i])).replace("&", "&&");
        QAction* entry = Idioma1->addAction(caption);
        entry->setObjectName("Language_" + toQt(LanguageNameOfFile(files[i])));
        entry->setData(static_cast<int>(i));
        connect(entry, &QAction::triggered, this, [this, entry] { SelectLanguage(entry); });
    }
}

void TForm1::LoadStartLanguage() {
    language_.setName(ReadLanguageChoice(language_.configFile()));
    SetLanguage();
}

void TForm1::SetLanguage() {
    const LanguageFileResult result = ReadLanguageFile(language_.languageFile(), language_.table());
    if (!result.error.empty()) throw std::runtime_error(result.error);
    if (result.opened) {
        UseQtTranslation(toQt(language_.name()));
        ApplyLanguageTexts();
    } else {
        ShowMessageCode(message::kNoLanguageFile);
    }
    QPixmap flag = TryLoadPicture(language_.flagFile());
    if (!flag.isNull()) {
        Bandera->setPixmap(flag);
        return;
    }
    Bandera->setPixmap(LoadPicture(language_.noLanguageFlagFile()));
    ShowMessageCode(message::kNoFlagPicture);
}

void TForm1::SelectLanguage(QAction* entry) {
    const QList<QAction*> entries = Idioma1->actions();
    const int tag = entry->data().toInt();
    if (tag < 0 || tag >= entries.size()) return;
    QString caption = entries[tag]->text();
    caption.replace("&&", "&");
    language_.setName(fromQt(caption));
    try {
        SetLanguage();
    } catch (const std::exception& error) {
        ShowFrameworkError(error);
        return;
    }
    SaveLanguageChoice(language_.configFile(), language_.name());
}

void TForm1::ApplyLanguageTexts() {
    const LanguageTable& t = language_.table();
    SetLabelText(VersioControllerLabel, toQt(kVersionLabel));
    SetLabelText(VersioControllerLabel2, toQt(kVersionLabel));

    ApplyWindowTexts(*this, window_text::kForm1, t);
    // A simulated instrument is never to be taken for a real one: the connection panel says so,
    // and the title, seen on the taskbar and in every screenshot.
    if (link_.simulated()) {
        const QString simulated = toQt(t.text(text::kSimulatedInstrument));
        // "Simulated instrument — VELTRA-52 Software": the program's name last, as the
        // desktop puts it.
        QString first = simulated;
        if (!first.isEmpty()) first[0] = first[0].toUpper();
        setWindowTitle(first + QString::fromUtf8(" \xE2\x80\x94 ") + windowTitle());
        CStatus->setTitle(CStatus->title() + " (" + simulated + ")");
    }
    placeValueLabels();
    setConnexio(IsConnectedNow(link_, *busy_));
    PrintSelBut->setText(MultiLine(PrintSelBut, PrintSelBut->text()));
    setFilters(t);
    const int widths[] = {25, 100, 100, 100, 100};
    for (int c = 0; c < 5; ++c)
        LoggerIndex->setColWidth(c, widths[c]);
    for (int c = 1; c <= 4; ++c)
        LoggerIndex->setCell(c, 0, toQt(t.text(window_text::kLoggerIndexHeaders[c - 1])));

    for (WindowTexts* window : windowTexts_)
        window->applyLanguageTexts(t);
}

void TForm1::setFilters(const LanguageTable& t) {
    CarregarHex.filter = FileFilter(t, text::kFirmwareFiles, "*.hex *.p52");
    CarregarCanals.filter = FileFilter(t, text::kPlanFiles, "*.c52");
    OpenLoggerDialog.filter = FileFilter(t, text::kLoggerFiles, "*.logtv *.logmr *.logds");
    CsvAllDialog.filter = FileFilter(t, text::kSpreadsheetFiles, "*.csv", false);
}

}  // namespace veltra
