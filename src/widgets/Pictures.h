// Pictures the program loads from the files beside it. A missing picture is the framework's
// file error: it ends start-up, and later shows in the error box.
#pragma once

#include <QPixmap>
#include <QString>
#include <stdexcept>
#include <string>

namespace veltra {

class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Loads a picture; throws FileError naming the file when it is missing or unreadable.
QPixmap LoadPicture(const std::string& path);

// The same without throwing: a null pixmap when the file cannot be read.
QPixmap TryLoadPicture(const std::string& path);

// Shows a framework error to the person (the standard exception box).
void ShowFrameworkError(const std::exception& error);

}  // namespace veltra
