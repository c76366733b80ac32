// Tells when a USB or hidraw device was plugged in or out, from a libudev monitor. Where no udev
// daemon runs (containers, CI) it stays silent and the program runs without notifications.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

struct udev;
struct udev_monitor;

namespace veltra {

class DeviceMonitor : public QObject {
    Q_OBJECT
  public:
    explicit DeviceMonitor(QObject* parent = nullptr);
    ~DeviceMonitor() override;
    bool active() const { return notifier_ != nullptr; }

  signals:
    void deviceChanged();

  private:
    void readEvents();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace veltra
