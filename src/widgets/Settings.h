// What the windows remember between runs, per user (the registry on Windows, ~/.config on Linux):
// the one settings store of the program and its keys.
#pragma once

#include <QDialog>
#include <QSettings>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "widgets/WindowStyle.h"

namespace veltra {

inline std::unique_ptr<QSettings> ProgramSettings() {
    return std::make_unique<QSettings>("veltra52", "veltra52");
}

namespace setting {
// Where a window was left: its place and size.
inline QString WindowPlace(const QWidget& window) {
    return "windows/" + window.objectName();
}
// One limit of a viewer's limit set: `set` names the set ("limits/tv/", say).
inline QString Limit(const std::string& set, const char* name) {
    return QString::fromStdString(set + name);
}
}  // namespace setting

// Shows `dialog` modally where the person left it last time (else centred at its own size),
// through `run` when given (the tests' way), and remembers where it was left.
inline void ShowInRememberedPlace(QDialog& dialog, const std::function<void()>& run) {
    auto settings = ProgramSettings();
    const QString key = setting::WindowPlace(dialog);
    const QByteArray geometry = settings->value(key).toByteArray();
    if (geometry.isEmpty() || !dialog.restoreGeometry(geometry)) {
        CentreOnScreen(&dialog);
    }
    // A place remembered on a larger screen, or at another scale, is brought back onto this one.
    KeepOnScreen(&dialog);
    KeepOnScreenWhenShown(&dialog);
    if (run) {
        run();
    } else {
        dialog.exec();
    }
    settings->setValue(key, dialog.saveGeometry());
}

}  // namespace veltra
