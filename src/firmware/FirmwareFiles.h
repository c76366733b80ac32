// Firmware files: Intel HEX for the IO interface, Motorola S-records (".p52") for the
// instrument. Plain C++.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

// Upper-case hexadecimal text to integer: the first n characters, most significant first.
// "0"-"9" and "A"-"F" count; every other character, lower-case letters included, counts 0.
unsigned compute_value(std::string_view text, int n);

// Why a firmware file cannot be flashed whole.
enum class FirmwareProblem {
    None,
    BadRecord,    // not a record of the file's kind, or a count that disagrees with its length
    BadChecksum,  // the record's bytes do not add up
    RecordType,   // a record type the update does not take
    CutShort,     // no end record after the data: the file is cut short
    NoFirmware,   // nothing to flash: no data inside the device's firmware area
};

// The outcome of a file check: the problem and the line (1-based) it was found on; line 0 for a
// problem of the file as a whole.
struct FirmwareFileCheck {
    FirmwareProblem problem = FirmwareProblem::None;
    int line = 0;
    explicit operator bool() const { return problem == FirmwareProblem::None; }
};

// Checks an Intel HEX file: every line starts with ":", has an even number of characters after
// it whose byte count agrees with its length, is of type 0, 1 or 4 (a type 4 record carries two
// bytes), and sums to 0 modulo 256; the file has an end-of-file record.
FirmwareFileCheck ProvaCheckSum(const std::string& content);

inline constexpr std::size_t kImageSize = 0x20000;
inline constexpr std::uint32_t kImageStart = 0x1000;

// The image of a HEX file: data records at 0x1000..0x1FFFF, everything else 0x00.
struct FirmwareImage {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kImageSize, 0);
    std::uint32_t end = 0;      // highest address + byte count stored
    std::size_t dataBytes = 0;  // bytes stored inside the firmware area
};
FirmwareImage LoadHexImage(const std::string& content);

// The whole IO interface file, checked and loaded before anything goes to the device: the line
// check, then the image, which must hold at least one byte of firmware.
FirmwareFileCheck ReadHexFile(const std::string& content, FirmwareImage& image);

// Checks a ".p52" file: every line "S", a type digit and an even number of upper-case
// hexadecimal characters whose count byte agrees with the pairs that follow and whose checksum
// is right; at least one data record (S1, S2, S3) and a termination record (S7, S8, S9) after
// the last of them.
FirmwareFileCheck CheckSRecordFile(const std::string& content);

// The firmware record of one S-record line: "*SXS", the type character, then one byte per pair
// of hexadecimal characters from character 2 on.
std::vector<std::uint8_t> SRecordToRecord(std::string_view line);

}  // namespace veltra
