// Firmware files of a binary image as objcopy writes them ("-I binary -O ihex|srec" with the
// data placed at `address`), byte for byte, for images below 64 KiB: 16 data bytes a record,
// CR LF line ends, no start address. Tests make them without running a tool.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace veltra::test {

namespace detail {

inline std::string Hex(unsigned value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

}  // namespace detail

// Intel HEX: type 0 records, then the end record.
inline std::string IntelHexFile(const std::vector<std::uint8_t>& bytes, unsigned address) {
    std::string file;
    for (std::size_t i = 0; i < bytes.size(); i += 16) {
        const unsigned count = static_cast<unsigned>(std::min<std::size_t>(16, bytes.size() - i));
        const unsigned at = address + static_cast<unsigned>(i);
        unsigned sum = count + (at >> 8) + at;
        std::string line = ":" + detail::Hex(count) + detail::Hex(at >> 8) + detail::Hex(at) + "00";
        for (unsigned k = 0; k < count; ++k) {
            line += detail::Hex(bytes[i + k]);
            sum += bytes[i + k];
        }
        file += line + detail::Hex(0x100 - (sum & 0xFF)) + "\r\n";
    }
    return file + ":00000001FF\r\n";
}

// Motorola S-records: the S0 header holding the first 40 bytes of `header` (objcopy writes the
// output file's name there), S1 records of 16 bytes, and the S9 end record.
inline std::string SRecordFile(const std::vector<std::uint8_t>& bytes, unsigned address,
                               const std::string& header) {
    auto record = [](char type, unsigned at, const std::uint8_t* data, std::size_t count) {
        unsigned sum = static_cast<unsigned>(count) + 3 + (at >> 8) + at;
        std::string line = std::string("S") + type + detail::Hex(static_cast<unsigned>(count) + 3) +
                           detail::Hex(at >> 8) + detail::Hex(at);
        for (std::size_t k = 0; k < count; ++k) {
            line += detail::Hex(data[k]);
            sum += data[k];
        }
        return line + detail::Hex(~sum) + "\r\n";
    };
    std::string file = record('0', 0, reinterpret_cast<const std::uint8_t*>(header.data()),
                              std::min<std::size_t>(header.size(), 40));
    for (std::size_t i = 0; i < bytes.size(); i += 16)
        file += record('1', address + static_cast<unsigned>(i), bytes.data() + i,
                       std::min<std::size_t>(16, bytes.size() - i));
    return file + record('9', 0, nullptr, 0);
}

}  // namespace veltra::test
