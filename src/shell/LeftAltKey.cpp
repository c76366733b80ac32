#include "shell/LeftAltKey.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace veltra {

namespace {
constexpr quint32 kX11LeftAltKeysym = 0xFFE9;
constexpr quint32 kX11LeftAltKeycode = 64;

bool IsLeftAlt(const QKeyEvent* key) {
    if (key->key() != Qt::Key_Alt) return false;
    return key->nativeVirtualKey() == kX11LeftAltKeysym ||
           key->nativeScanCode() == kX11LeftAltKeycode;
}
}  // namespace

LeftAltKey::LeftAltKey(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

bool LeftAltKey::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (IsLeftAlt(static_cast<QKeyEvent*>(event))) down_ = true;
            break;
        case QEvent::KeyRelease:
            if (IsLeftAlt(static_cast<QKeyEvent*>(event))) down_ = false;
            break;
        case QEvent::ApplicationDeactivate:
            down_ = false;  // released while another program had the keyboard
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace veltra
