#include "widgets/Pictures.h"

#include <QApplication>
#include <QMessageBox>

#include "language/WindowTexts.h"
#include "widgets/QtText.h"

namespace veltra {

QPixmap TryLoadPicture(const std::string& path) {
    QPixmap picture;
    picture.load(toQt(path));
    return picture;
}

QPixmap LoadPicture(const std::string& path) {
    QPixmap picture = TryLoadPicture(path);
    if (picture.isNull()) throw FileError("Cannot open file \"" + path + "\".");
    return picture;
}

void ShowFrameworkError(const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle),
                    toQt(error.what()), QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace veltra
