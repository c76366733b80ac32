#include "shell/windows/DeviceMonitor.h"

#include <libudev.h>

#include <cstring>

namespace veltra {

DeviceMonitor::DeviceMonitor(QWidget*, QObject* parent) : QObject(parent) {
    udev_ = udev_new();
    if (!udev_) return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_) return;
    udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr);
    udev_monitor_filter_add_match_subsystem_devtype(monitor_, "usb", nullptr);
    if (udev_monitor_enable_receiving(monitor_) < 0) return;
    const int fd = udev_monitor_get_fd(monitor_);
    if (fd < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &DeviceMonitor::readEvents);
}

bool DeviceMonitor::active() const {
    return notifier_ != nullptr;
}

DeviceMonitor::~DeviceMonitor() {
    notifier_.reset();
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
}

void DeviceMonitor::readEvents() {
    bool changed = false;
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        if (action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0))
            changed = true;
        udev_device_unref(device);
    }
    if (changed) emit deviceChanged();
}

}  // namespace veltra
