// Tells when a device was plugged in or out. On Linux from a libudev monitor (USB and hidraw
// devices); where no udev daemon runs (containers, CI) it stays silent and the program runs
// without notifications. On Windows from the system's device-change message (0x0219) to the main
// window, which is registered for the notifications of HID interfaces.
#pragma once

#include <QObject>
#include <memory>

#ifdef _WIN32
#include <QAbstractNativeEventFilter>
#else
#include <QSocketNotifier>
struct udev;
struct udev_monitor;
#endif

class QWidget;

namespace veltra {

#ifdef _WIN32
class DeviceMonitor : public QObject, public QAbstractNativeEventFilter {
#else
class DeviceMonitor : public QObject {
#endif
    Q_OBJECT
  public:
    // `window`: the main window, whose messages carry Windows' notifications.
    explicit DeviceMonitor(QWidget* window, QObject* parent = nullptr);
    ~DeviceMonitor() override;
    bool active() const;

  signals:
    void deviceChanged();

#ifdef _WIN32
  public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void* windowHandle_ = nullptr;
    void* notification_ = nullptr;
#else
  private:
    void readEvents();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
#endif
};

}  // namespace veltra
