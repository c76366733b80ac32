#include "shell/windows/LeftAltKey.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <QCoreApplication>
#include <QKeyEvent>

namespace veltra {

namespace {
#ifdef _WIN32
// Windows' virtual key of the left Alt key, and its scan code (the right one's carries the
// extended-key bit).
constexpr quint32 kLeftAltVirtualKey = VK_LMENU;
constexpr quint32 kLeftAltScanCode = 0x38;
#else
constexpr quint32 kLeftAltVirtualKey = 0xFFE9;  // X11's keysym
constexpr quint32 kLeftAltScanCode = 64;        // X11's key code
#endif

bool IsLeftAlt(const QKeyEvent* key) {
    if (key->key() != Qt::Key_Alt) return false;
    return key->nativeVirtualKey() == kLeftAltVirtualKey ||
           key->nativeScanCode() == kLeftAltScanCode;
}
}  // namespace

bool LeftAltKey::down() const {
#ifdef _WIN32
    // The key's physical state when the click is handled, as the system knows it.
    if (::GetAsyncKeyState(VK_LMENU) & 0x8000) return true;
#endif
    return down_;
}

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
