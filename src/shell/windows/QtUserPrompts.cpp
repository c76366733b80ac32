#include "shell/windows/QtUserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"

namespace veltra {

namespace {

QString StartPath(const FileDialogState& dialog) {
    if (!dialog.fileName.empty()) {
        QFileInfo info(toQt(dialog.fileName));
        if (info.isAbsolute() || dialog.initialFolder.empty()) return info.filePath();
        return toQt(dialog.initialFolder) + "/" + info.fileName();
    }
    return toQt(dialog.initialFolder);
}

void Remember(FileDialogState& dialog, const QString& path) {
    dialog.fileName = fromQt(path);
    dialog.initialFolder = fromQt(QFileInfo(path).absolutePath());
}

}  // namespace

void QtUserPrompts::showMessage(int, const std::string& caption, const std::string& text,
                                MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    toQt(caption), toQt(text), QMessageBox::Ok, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    if (texts_) NameStandardButtons(box, *texts_);
    box.exec();
}

bool QtUserPrompts::askYesNo(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, toQt(caption), toQt(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    if (texts_) NameStandardButtons(box, *texts_);
    return box.exec() == QMessageBox::Yes;
}

YesNoCancel QtUserPrompts::askYesNoCancel(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, toQt(caption), toQt(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    if (texts_) NameStandardButtons(box, *texts_);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return YesNoCancel::Yes;
        case QMessageBox::No:
            return YesNoCancel::No;
        default:
            return YesNoCancel::Cancel;
    }
}

std::optional<std::string> QtUserPrompts::chooseOpenFile(FileDialogState& dialog) {
    const QString path = QFileDialog::getOpenFileName(parent_, toQt(dialog.title),
                                                      StartPath(dialog), toQt(dialog.filter));
    if (path.isEmpty()) return std::nullopt;
    Remember(dialog, path);
    return dialog.fileName;
}

std::vector<std::string> QtUserPrompts::chooseOpenFiles(FileDialogState& dialog) {
    const QStringList paths = QFileDialog::getOpenFileNames(parent_, toQt(dialog.title),
                                                            StartPath(dialog), toQt(dialog.filter));
    std::vector<std::string> result;
    for (const QString& path : paths)
        result.push_back(fromQt(path));
    if (!paths.isEmpty()) Remember(dialog, paths.front());
    return result;
}

std::optional<std::string> QtUserPrompts::chooseSaveFile(FileDialogState& dialog) {
    const QString path = QFileDialog::getSaveFileName(parent_, toQt(dialog.title),
                                                      StartPath(dialog), toQt(dialog.filter));
    if (path.isEmpty()) return std::nullopt;
    Remember(dialog, path);
    return dialog.fileName;
}

void QtUserPrompts::processEvents() {
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kEventIntervalMs) return;
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

void QtUserPrompts::beginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserPrompts::endWait() {
    QApplication::restoreOverrideCursor();
}

}  // namespace veltra
