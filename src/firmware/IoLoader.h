// The IO interface's firmware loader: the reports it takes and the steps of a flash (enter,
// erase, write, leave). The loader answers nothing: each report is written, and only a write the
// link could not make is known. Plain C++ on the link.
#pragma once

#include <cstdint>
#include <functional>

#include "firmware/FirmwareFiles.h"
#include "link/Link.h"
#include "link/Report.h"

namespace veltra {

namespace io_loader {
// After the request to enter the loader, the interface restarts: 40 waits of 100 ms, then a
// search, and up to 10 more searches 200 ms apart.
inline constexpr int kRestartWaits = 40;
inline constexpr int kRestartWaitMs = 100;
inline constexpr int kExtraSearches = 10;
inline constexpr int kSearchRetryMs = 200;
// The erase units of the firmware area, each erased by its own report.
inline constexpr std::uint8_t kFirstEraseUnit = 4;
inline constexpr std::uint8_t kLastEraseUnit = 126;
// A block is written as two reports of 32 bytes.
inline constexpr std::uint32_t kBlock = 64;
inline constexpr std::size_t kHalfBlock = kBlock / 2;
}  // namespace io_loader

// The loader's reports. One buffer serves a whole update: each report changes only its own bytes
// and keeps the rest of the report before.
class LoaderReports {
  public:
    const Report& enterLoader(bool enter);   // command 8, byte 7 = 1 or 0
    const Report& erase(std::uint8_t unit);  // command 4
    // Command 5: address and the block's first 32 bytes; command 6: its last 32 bytes.
    const Report& firstHalf(std::uint32_t address, const std::uint8_t* bytes);
    const Report& secondHalf(const std::uint8_t* bytes);

  private:
    Report report_{};
};

class IoLoader {
  public:
    // `wait` waits the given milliseconds while the windows go on.
    IoLoader(Link& link, std::function<void(int)> wait);

    // Asks the interface's firmware to restart in its loader and searches for the loader, which
    // comes back under the same product string. False when the request could not be written.
    bool Enter();
    // Erases every unit of the firmware area.
    bool Erase();
    // The bytes Write() reports as written in all: the progress window's maximum.
    static int BytesToWrite(const FirmwareImage& image);
    // Writes the image block by block, the first block of the firmware last: an update broken off
    // earlier leaves the firmware's start unwritten, and the loader starts no half-written image.
    // `blockWritten` runs after each block.
    bool Write(const FirmwareImage& image, const std::function<void()>& blockWritten);
    // Tells the loader to start the new firmware. False when the report could not be written:
    // the interface stays in its loader.
    bool Leave();
    // Waits for the interface to restart in its new firmware and searches for it, as Enter()
    // does for the loader. False when it is not found again.
    bool ComeBack();

  private:
    // The interface restarts: the waits, then a bounded search. Whether it was found.
    bool restart();
    bool writeBlock(const FirmwareImage& image, std::uint32_t address);

    Link& link_;
    std::function<void(int)> wait_;
    LoaderReports reports_;
};

}  // namespace veltra
