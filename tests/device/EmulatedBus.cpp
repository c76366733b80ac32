#include "EmulatedBus.h"

#include <chrono>

#ifdef VELTRA_HAVE_UMOCKDEV
#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <umockdev.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace veltra::test {

namespace {

// Vendor usage page, 64-byte input and output reports without report IDs, as the IO interface.
const unsigned char kDescriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                                     0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x09, 0x01,
                                     0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};
constexpr std::size_t kInputReport = 64;

}  // namespace

struct EmulatedBus::Device {
    std::string path;                   // /dev/hidrawN
    std::string usbPath;                // sysfs path of the usb_device
    std::vector<std::string> sysPaths;  // usb_device, interface, hid, hidraw
    std::string ptyMap;                 // the test bed's map entry of the node's pseudo-terminal
    int master = -1;                    // the test bed's end of the node (the device's side)
    int slave = -1;  // our own handle on the program's end, for reading one report
    sim::Simulator* instrument = nullptr;
    std::unique_ptr<HidDevice> handle;  // the instrument's side of the simulator
    int generation = 0;
    Report pending{};
    std::size_t have = 0;
    bool gone = false;
#ifdef VELTRA_HAVE_UMOCKDEV
    UMockdevIoctlBase* handler = nullptr;
#endif
};

#ifdef VELTRA_HAVE_UMOCKDEV

struct EmulatedBus::Bed {
    UMockdevTestbed* testbed = nullptr;
    std::string root;
};

namespace {

std::string Hex(const unsigned char* bytes, std::size_t size) {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        text += pair;
    }
    return text;
}

gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer) {
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    switch (umockdev_ioctl_client_get_request(client)) {
        case HIDIOCGRDESCSIZE: {
            int size = sizeof kDescriptor;
            umockdev_ioctl_data_update(arg, 0, reinterpret_cast<guint8*>(&size), sizeof size);
            break;
        }
        case HIDIOCGRDESC:
            umockdev_ioctl_data_update(arg, sizeof(__u32), const_cast<guint8*>(kDescriptor),
                                       sizeof kDescriptor);
            break;
        case HIDIOCGRAWINFO: {
            hidraw_devinfo info{BUS_USB, 0x1234, 0x5678};
            umockdev_ioctl_data_update(arg, 0, reinterpret_cast<guint8*>(&info), sizeof info);
            break;
        }
        default:
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            return TRUE;
    }
    umockdev_ioctl_client_complete(client, 0, 0);
    return TRUE;
}

// hidraw hands over one input report per read, whatever the buffer: the node's pseudo-terminal
// is a byte stream, so read exactly one report of it.
gboolean OnRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    const int slave = *static_cast<int*>(data);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    guint8* buffer = nullptr;
    gint length = 0;
    umockdev_ioctl_data_retrieve(arg, &buffer, &length);
    unsigned char report[kInputReport];
    ssize_t n = read(slave, report, sizeof report);
    if (n <= 0) {
        umockdev_ioctl_client_complete(client, -1, n == 0 ? EIO : errno);
        return TRUE;
    }
    n = std::min<ssize_t>(n, length);
    umockdev_ioctl_data_update(arg, 0, report, static_cast<gint>(n));
    umockdev_ioctl_client_complete(client, n, 0);
    return TRUE;
}

}  // namespace

EmulatedBus::EmulatedBus() : bed_(std::make_unique<Bed>()) {
    // The test bed first: asked before it, umockdev answers "not mocked" for good.
    bed_->testbed = umockdev_testbed_new();
    if (!umockdev_in_mock_environment()) {
        unavailable_ = "not started under umockdev's preload (run it with umockdev-wrapper)";
        return;
    }
    bed_->root = umockdev_testbed_get_root_dir(bed_->testbed);
    peer_ = std::thread([this] { serve(); });
}

EmulatedBus::~EmulatedBus() {
    stop_ = true;
    if (peer_.joinable()) peer_.join();
    for (auto& device : devices_) {
        if (device->slave >= 0) close(device->slave);
        // The ioctl handlers stay attached: the preload aborts when their socket closes under
        // an open node. The test bed goes with the process.
    }
}

EmulatedBus::Device* EmulatedBus::add(const std::string& product, bool openable,
                                      sim::Simulator* instrument) {
    std::lock_guard lock(mutex_);
    const int n = next_++;
    auto device = std::make_unique<Device>();
    const std::string number = std::to_string(n);
    char hid[32];
    std::snprintf(hid, sizeof hid, "0003:1234:5678.%04X", n + 1);
    const std::string usb = "/devices/pci0000:00/0000:00:14.0/usb1/1-" + number;
    const std::string interface = usb + "/1-" + number + ":1.0";
    const std::string hidPath = interface + "/" + hid;
    const std::string hidraw = hidPath + "/hidraw/hidraw" + number;
    device->path = "/dev/hidraw" + number;
    const std::string record =
        "P: " + usb + "\nN: bus/usb/001/" + std::to_string(100 + n) +
        "=00\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: BUSNUM=001\nE: DEVNUM=" +
        std::to_string(100 + n) +
        "\nA: idVendor=1234\nA: idProduct=5678\nA: manufacturer=Veltra\nA: product=" + product +
        "\nA: serial=" + number + "\nA: busnum=1\nA: devnum=" + std::to_string(100 + n) +
        "\nA: bcdDevice=0100\n\n"
        "P: " +
        interface +
        "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: INTERFACE=3/0/0\n"
        "A: bInterfaceNumber=00\nA: bInterfaceClass=03\n\n"
        "P: " +
        hidPath + "\nE: SUBSYSTEM=hid\nE: HID_ID=0003:00001234:00005678\nE: HID_NAME=" + product +
        "\nE: HID_UNIQ=" + number + "\nE: HID_PHYS=usb-0000:00:14.0-" + number +
        "/input0\nH: report_descriptor=" + Hex(kDescriptor, sizeof kDescriptor) + "\n\n" +
        "P: " + hidraw + "\n" + (openable ? "N: hidraw" + number + "\n" : std::string()) +
        "E: SUBSYSTEM=hidraw\nE: DEVNAME=" + device->path + "\nE: MAJOR=244\nE: MINOR=" + number +
        "\nA: dev=244:" + number + "\nL: device=../../../" + hid + "\n\n";
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(bed_->testbed, record.c_str(), &error)) {
        unavailable_ = error ? error->message : "cannot add a device";
        return nullptr;
    }
    device->usbPath = "/sys" + usb;
    device->sysPaths = {"/sys" + hidraw, "/sys" + hidPath, "/sys" + interface, "/sys" + usb};
    if (openable) {
        // hidapi looks the open handle up by its device number, which is the pseudo-terminal's
        // behind the emulated node: give the emulated device that number.
        const std::string node = bed_->root + "/dev/hidraw" + number;
        char target[256] = {};
        if (readlink(node.c_str(), target, sizeof target - 1) < 0) return nullptr;
        struct stat info {};
        stat(target, &info);
        const std::string majmin =
            std::to_string(major(info.st_rdev)) + ":" + std::to_string(minor(info.st_rdev));
        const std::string sys = "/sys" + hidraw;
        umockdev_testbed_set_attribute(bed_->testbed, sys.c_str(), "dev", (majmin + "\n").c_str());
        umockdev_testbed_set_property(bed_->testbed, sys.c_str(), "MAJOR",
                                      std::to_string(major(info.st_rdev)).c_str());
        umockdev_testbed_set_property(bed_->testbed, sys.c_str(), "MINOR",
                                      std::to_string(minor(info.st_rdev)).c_str());
        const std::string link = bed_->root + "/sys/dev/char/" + majmin;
        unlink(link.c_str());
        symlink(("../../devices" + hidraw.substr(std::string("/devices").size())).c_str(),
                link.c_str());
        const std::string dotNode = bed_->root + "/dev/.node/hidraw" + number;
        unlink(dotNode.c_str());
        symlink(majmin.c_str(), dotNode.c_str());
        std::string mapName = target;
        for (char& c : mapName)
            if (c == '/') c = '_';
        device->ptyMap = bed_->root + "/dev/.ptymap/" + mapName;
        unlink(device->ptyMap.c_str());
        symlink(majmin.c_str(), device->ptyMap.c_str());

        device->slave = open(target, O_RDWR | O_NOCTTY | O_NONBLOCK);
        device->master = umockdev_testbed_get_dev_fd(bed_->testbed, device->path.c_str());
        device->handler = umockdev_ioctl_base_new();
        g_signal_connect(device->handler, "handle-ioctl", G_CALLBACK(OnIoctl), nullptr);
        g_signal_connect(device->handler, "handle-read", G_CALLBACK(OnRead), &device->slave);
        umockdev_testbed_attach_ioctl(bed_->testbed, device->path.c_str(), device->handler,
                                      nullptr);
    }
    if (instrument) {
        device->instrument = instrument;
        device->generation = instrument->generation();
        const auto paths = instrument->enumerate();
        for (const std::string& candidate : paths) {
            auto handle = instrument->open(candidate);
            if (!handle) continue;
            const auto name = handle->productString(100);
            if (name && std::string(name->begin(), name->end()) == instrument->identity().product) {
                device->handle = std::move(handle);
                break;
            }
        }
    }
    ++reenumerations_;
    devices_.push_back(std::move(device));
    return devices_.back().get();
}

std::string EmulatedBus::plugInstrument(sim::Simulator& instrument, const std::string& product) {
    const Device* device = add(product, true, &instrument);
    return device ? device->path : std::string();
}

std::string EmulatedBus::plugOther(const std::string& product, bool openable) {
    const Device* device = add(product, openable, nullptr);
    return device ? device->path : std::string();
}

void EmulatedBus::remove(Device& device) {
    device.gone = true;
    // A removed node is not hung up by umockdev: put /dev/null over the device's end, so the
    // program's poll sees the hang-up a real unplug gives. umockdev closes that descriptor.
    if (device.master >= 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, device.master);
        close(null);
    }
    for (const std::string& sys : device.sysPaths)
        umockdev_testbed_uevent(bed_->testbed, sys.c_str(), "remove");
    umockdev_testbed_remove_device(bed_->testbed, device.usbPath.c_str());
    // The freed pseudo-terminal number comes back for the next device.
    if (!device.ptyMap.empty()) unlink(device.ptyMap.c_str());
    device.handle.reset();
    ++reenumerations_;
}

void EmulatedBus::sendInput(const std::string& path, const Report& report) {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (device->path == path && !device->gone)
            write(device->master, report.data() + 1, kInputReport);
    }
}

void EmulatedBus::unplug(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (device->path == path && !device->gone) remove(*device);
    }
}

void EmulatedBus::unplugAll() {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (!device->gone) remove(*device);
    }
}

// One pass over one device: takes what the program wrote, answers it as the instrument.
bool EmulatedBus::serveOne(Device& device) {
    if (device.gone || device.master < 0 || !device.instrument) return false;
    pollfd p{device.master, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN)) return false;
    const ssize_t n = read(device.master, device.pending.data() + device.have,
                           device.pending.size() - device.have);
    if (n <= 0) return false;
    device.have += static_cast<std::size_t>(n);
    if (device.have < device.pending.size()) return true;
    device.have = 0;
    sim::Simulator& instrument = *device.instrument;
    if (device.handle) device.handle->write(device.pending);
    Report answer{};
    while (device.handle && device.handle->read(answer, 0) == ReadStatus::Ok)
        write(device.master, answer.data() + 1, kInputReport);
    if (instrument.generation() != device.generation) {
        // The IO interface restarts (into its loader or back): it leaves the bus and comes back.
        remove(device);
        add(instrument.identity().product, true, &instrument);
    }
    return true;
}

void EmulatedBus::serve() {
    while (!stop_) {
        bool worked = false;
        {
            std::lock_guard lock(mutex_);
            ++busy_;
            for (std::size_t i = 0; i < devices_.size(); ++i)
                worked = serveOne(*devices_[i]) || worked;
            --busy_;
        }
        if (!worked) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

void EmulatedBus::settle() {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < limit) {
        bool pending = false;
        {
            std::lock_guard lock(mutex_);
            for (auto& device : devices_) {
                if (device->gone || device->master < 0 || !device->instrument) continue;
                pollfd p{device->master, POLLIN, 0};
                pending =
                    pending || device->have > 0 || (poll(&p, 1, 0) > 0 && (p.revents & POLLIN));
            }
        }
        if (!pending) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

#else  // without umockdev

struct EmulatedBus::Bed {};

EmulatedBus::EmulatedBus() : unavailable_("umockdev is not installed (libumockdev-dev)") {}
EmulatedBus::~EmulatedBus() = default;
std::string EmulatedBus::plugInstrument(sim::Simulator&, const std::string&) {
    return {};
}
std::string EmulatedBus::plugOther(const std::string&, bool) {
    return {};
}
void EmulatedBus::unplug(const std::string&) {}
void EmulatedBus::unplugAll() {}
void EmulatedBus::sendInput(const std::string&, const Report&) {}
void EmulatedBus::settle() {}

#endif

}  // namespace veltra::test
