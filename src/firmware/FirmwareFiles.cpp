#include "firmware/FirmwareFiles.h"

#include <algorithm>

#include "link/Commands.h"
#include "text/Text.h"

namespace veltra {

namespace {

constexpr std::size_t kMaxLine = 99;

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

unsigned compute_value(std::string_view text, int n) {
    unsigned value = 0;
    for (int i = 0; i < n; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : '\0';
        unsigned digit = 0;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        value = value * 16 + digit;
    }
    return value;
}

FirmwareFileCheck ProvaCheckSum(const std::string& content) {
    TextLineReader lines(content);
    bool endRecord = false;
    int number = 0;
    while (const auto line = lines.next(kMaxLine)) {
        ++number;
        auto bad = [number](FirmwareProblem problem) { return FirmwareFileCheck{problem, number}; };
        if (line->empty() || (*line)[0] != ':') return bad(FirmwareProblem::BadRecord);
        const std::string_view record = std::string_view(*line).substr(1);
        // Whole bytes only, and at least count, address, type and checksum.
        if (record.size() % 2 != 0 || record.size() < 10) return bad(FirmwareProblem::BadRecord);
        const unsigned count = compute_value(record, 2);
        if (record.size() != 2 * (count + 5)) return bad(FirmwareProblem::BadRecord);
        const unsigned type = compute_value(record.substr(6), 2);
        if (type != 0 && type != 1 && type != 4) return bad(FirmwareProblem::RecordType);
        // An extended address is two bytes: any other count would move the data elsewhere.
        if (type == 4 && count != 2) return bad(FirmwareProblem::BadRecord);
        unsigned sum = 0;
        for (std::size_t i = 0; i < record.size(); i += 2)
            sum += compute_value(record.substr(i), 2);
        if (sum % 256 != 0) return bad(FirmwareProblem::BadChecksum);
        if (type == 1) endRecord = true;
    }
    // A file without its end record is cut short: never flash it.
    if (!endRecord) return {FirmwareProblem::CutShort, 0};
    return {};
}

FirmwareImage LoadHexImage(const std::string& content) {
    FirmwareImage image;
    TextLineReader lines(content);
    std::uint64_t extension = 0;
    while (const auto line = lines.next(kMaxLine)) {
        const std::string_view text(*line);
        if (text.size() < 11 || text[0] != ':') continue;
        const unsigned count = compute_value(text.substr(1), 2);
        const unsigned type = compute_value(text.substr(7), 2);
        // 64 bits: an extension near 0xFFFF plus the record's end must not wrap into the image.
        const std::uint64_t address = compute_value(text.substr(3), 4) + extension * 65536u;
        if (type == 0) {
            if (address < kImageStart || address + count > kImageSize) continue;
            if (text.size() < 9 + 2 * count) continue;
            for (unsigned i = 0; i < count; ++i)
                image.bytes[address + i] =
                    static_cast<std::uint8_t>(compute_value(text.substr(9 + 2 * i), 2));
            image.end = std::max(image.end, static_cast<std::uint32_t>(address + count));
            image.dataBytes += count;
        } else if (type == 4) {
            extension = compute_value(text.substr(9), 4);
        } else if (type == 1) {
            break;
        }
    }
    return image;
}

FirmwareFileCheck ReadHexFile(const std::string& content, FirmwareImage& image) {
    const FirmwareFileCheck check = ProvaCheckSum(content);
    if (!check) return check;
    image = LoadHexImage(content);
    if (image.dataBytes == 0) return {FirmwareProblem::NoFirmware, 0};
    return {};
}

FirmwareFileCheck CheckSRecordFile(const std::string& content) {
    TextLineReader lines(content);
    int number = 0;
    bool data = false;
    bool terminated = false;  // a termination record after the last data record
    while (const auto line = lines.next(kMaxLine)) {
        ++number;
        auto bad = [number](FirmwareProblem problem) { return FirmwareFileCheck{problem, number}; };
        const std::string& text = *line;
        if (text.size() < 4 || text[0] != 'S' || text[1] < '0' || text[1] > '9')
            return bad(FirmwareProblem::BadRecord);
        const std::string_view pairs = std::string_view(text).substr(2);
        if (pairs.size() % 2 != 0) return bad(FirmwareProblem::BadRecord);
        if (!std::all_of(pairs.begin(), pairs.end(), IsUpperHex))
            return bad(FirmwareProblem::BadRecord);
        const unsigned count = compute_value(pairs, 2);
        if (pairs.size() != 2 * (count + 1)) return bad(FirmwareProblem::BadRecord);
        unsigned sum = 0;
        for (std::size_t i = 0; i < pairs.size(); i += 2)
            sum += compute_value(pairs.substr(i), 2);
        if (sum % 256 != 0xFF) return bad(FirmwareProblem::BadChecksum);
        const char type = text[1];
        if (type >= '1' && type <= '3') {
            data = true;
            terminated = false;
        } else if (type >= '7' && type <= '9') {
            terminated = true;
        }
    }
    if (!data) return {FirmwareProblem::NoFirmware, 0};
    if (!terminated) return {FirmwareProblem::CutShort, 0};
    return {};
}

std::vector<std::uint8_t> SRecordToRecord(std::string_view line) {
    const std::string_view prefix = command::kFirmwareRecord;
    std::vector<std::uint8_t> record(prefix.begin(), prefix.end());
    record.push_back(line.size() > 1 ? static_cast<std::uint8_t>(line[1]) : 0);
    for (std::size_t i = 2; i < line.size(); i += 2)
        record.push_back(static_cast<std::uint8_t>(compute_value(line.substr(i), 2)));
    return record;
}

}  // namespace veltra
