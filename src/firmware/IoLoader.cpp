#include "firmware/IoLoader.h"

#include <algorithm>

namespace veltra {

const Report& LoaderReports::enterLoader(bool enter) {
    report_[0] = 0;
    report_[1] = 8;
    report_[7] = enter ? 1 : 0;
    return report_;
}

const Report& LoaderReports::erase(std::uint8_t unit) {
    report_[0] = 0;
    report_[1] = 4;
    report_[7] = unit;
    return report_;
}

const Report& LoaderReports::firstHalf(std::uint32_t address, const std::uint8_t* bytes) {
    report_[0] = 0;
    report_[1] = 5;
    for (int i = 0; i < 4; ++i)
        report_[2 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(address >> (8 * i));
    std::copy_n(bytes, io_loader::kHalfBlock, report_.begin() + 7);
    return report_;
}

const Report& LoaderReports::secondHalf(const std::uint8_t* bytes) {
    report_[0] = 0;
    report_[1] = 6;
    std::copy_n(bytes, io_loader::kHalfBlock, report_.begin() + 7);
    return report_;
}

IoLoader::IoLoader(Link& link, std::function<void(int)> wait)
    : link_(link), wait_(std::move(wait)) {}

bool IoLoader::Enter() {
    if (!link_.writeOnly(reports_.enterLoader(true))) return false;
    // Not found after the last search: the erase's writes tell.
    restart();
    return true;
}

bool IoLoader::restart() {
    using namespace io_loader;
    for (int i = 0; i < kRestartWaits; ++i)
        wait_(kRestartWaitMs);
    bool found = link_.FindIOInterface();
    for (int retry = 0; !found && retry < kExtraSearches; ++retry) {
        wait_(kSearchRetryMs);
        found = link_.FindIOInterface();
    }
    return found;
}

bool IoLoader::Erase() {
    for (int unit = io_loader::kFirstEraseUnit; unit <= io_loader::kLastEraseUnit; ++unit) {
        if (!link_.writeOnly(reports_.erase(static_cast<std::uint8_t>(unit)))) return false;
    }
    return true;
}

int IoLoader::BytesToWrite(const FirmwareImage& image) {
    return std::max<int>(0, static_cast<int>(image.end) - static_cast<int>(kImageStart));
}

bool IoLoader::writeBlock(const FirmwareImage& image, std::uint32_t address) {
    const std::uint8_t* bytes = image.bytes.data() + address;
    return link_.writeOnly(reports_.firstHalf(address, bytes)) &&
           link_.writeOnly(reports_.secondHalf(bytes + io_loader::kHalfBlock));
}

bool IoLoader::Write(const FirmwareImage& image, const std::function<void()>& blockWritten) {
    using io_loader::kBlock;
    for (std::uint32_t address = kImageStart + kBlock;
         address <= image.end && address + kBlock <= kImageSize; address += kBlock) {
        if (!writeBlock(image, address)) return false;
        blockWritten();
    }
    if (!writeBlock(image, kImageStart)) return false;
    blockWritten();
    return true;
}

bool IoLoader::Leave() {
    return link_.writeOnly(reports_.enterLoader(false));
}

bool IoLoader::ComeBack() {
    return restart();
}

}  // namespace veltra
