#include <windows.h>

#include <dbt.h>

#include <QCoreApplication>
#include <QWidget>

#include "shell/windows/DeviceMonitor.h"

namespace veltra {

namespace {
// The device interface class of HID devices.
constexpr GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
}  // namespace

DeviceMonitor::DeviceMonitor(QWidget* window, QObject* parent) : QObject(parent) {
    // Windows sends every top-level window the message for a change of the device tree; the
    // registration adds the arrival and removal of each HID interface.
    windowHandle_ = reinterpret_cast<void*>(window->winId());
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    notification_ = ::RegisterDeviceNotificationW(static_cast<HWND>(windowHandle_), &filter,
                                                  DEVICE_NOTIFY_WINDOW_HANDLE);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DeviceMonitor::~DeviceMonitor() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    if (notification_) ::UnregisterDeviceNotification(static_cast<HDEVNOTIFY>(notification_));
}

bool DeviceMonitor::active() const {
    return notification_ != nullptr;
}

bool DeviceMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_DEVICECHANGE && msg->hwnd == static_cast<HWND>(windowHandle_))
        emit deviceChanged();
    return false;  // the message goes on to its normal handling
}

}  // namespace veltra
