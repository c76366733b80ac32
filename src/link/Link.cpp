#include "link/Link.h"
#include "link/Commands.h"

namespace veltra {

namespace {
constexpr std::size_t kProductStringUnits = 50;  // 100-byte buffer, terminator included
constexpr std::size_t kQueryAnswerStart = 5;
constexpr std::size_t kStatusByte = 3;
}  // namespace

std::string NarrowProductString(const std::u32string& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (char32_t c : text)
        narrow.push_back(c > 0x7F ? '?' : static_cast<char>(c));
    return narrow;
}

// Whether the enumeration says `path` is some other device: it is then never opened (an open
// can seize a keyboard, and on Windows it is slow). A listed name that holds the product's may
// be the instrument's, as is a device listed without one: those are opened and asked.
bool ListedAsAnotherDevice(const HidBackend& backend, const std::string& path) {
    const auto listed = backend.listedProduct(path);
    return listed && NarrowProductString(*listed).find(kProductString) == std::string::npos;
}

std::vector<FoundInterface> ListIOInterfaces(HidBackend& backend) {
    std::vector<FoundInterface> found;
    if (!backend.available()) return found;
    for (const std::string& path : backend.enumerate()) {
        if (ListedAsAnotherDevice(backend, path)) continue;
        const std::unique_ptr<HidDevice> device = backend.open(path);
        if (!device) continue;
        const auto product = device->productString(kProductStringUnits);
        if (product && NarrowProductString(*product) == kProductString)
            found.push_back({path, kProductString});
    }
    return found;
}

Link::Link(HidBackend& backend, int readTimeoutMs) : backend_(backend), timeoutMs_(readTimeoutMs) {}

void Link::close() {
    device_.reset();
}

bool Link::FindIOInterface() {
    close();
    if (!backend_.available()) return false;
    for (const std::string& path : backend_.enumerate()) {
        if (!devicePath_.empty() && path != devicePath_) continue;
        if (ListedAsAnotherDevice(backend_, path)) continue;
        std::unique_ptr<HidDevice> device = backend_.open(path);
        if (!device) continue;
        const auto product = device->productString(kProductStringUnits);
        if (!product) continue;
        const std::string name = NarrowProductString(*product);
        if (name == kProductString) {
            modelName_ = name;
            device_ = std::move(device);
            return true;
        }
    }
    return false;
}

bool Link::writeOnly(const Report& out) {
    return device_ && device_->write(out);
}

bool Link::exchange(const Report& out, Report& answer) {
    if (!device_) return false;
    if (!device_->write(out)) return false;
    return readAnswer(answer);
}

bool Link::readAnswer(Report& answer) {
    if (!device_) return false;
    switch (device_->read(answer, timeoutMs_)) {
        case ReadStatus::Ok:
            return true;
        case ReadStatus::Gone:
            close();
            return false;
        case ReadStatus::TimedOut:
            return false;
    }
    return false;
}

std::optional<std::string> Link::SendQuery(const std::string& command) {
    Report answer{};
    if (!exchange(BuildCommandReport(kQueryCode, command), answer)) return std::nullopt;
    return AnswerText(answer, kQueryAnswerStart);
}

std::optional<std::string> Link::QueryValue(const std::string& command) {
    Report answer{};
    if (!exchange(BuildCommandReport(kQueryCode, command), answer)) return std::nullopt;
    if (!AnswersQuery(answer, command)) return std::nullopt;
    return veltra::QueryValue(answer);
}

std::uint8_t Link::SendCommand(const std::string& command) {
    if (!FindIOInterface()) return 0;
    Report answer{};
    if (!exchange(BuildCommandReport(kCommandCode, command), answer)) return 0;
    return answer[kStatusByte];
}

int Link::SendRecord(const std::vector<std::uint8_t>& record) {
    Report out{};
    if (!BuildRecordReport(record, out)) return 0;
    Report answer{};
    if (!exchange(out, answer)) return 0;
    const int status = answer[kStatusByte];
    return status >= 1 && status <= 3 ? status : 0;
}

Link::EraseStatus Link::EraseStep(int step) {
    Report answer{};
    const bool answered =
        exchange(BuildCommandReport(kEraseCode, command::EraseStep(step)), answer);
    switch (answered ? answer[kStatusByte] : 0) {
        case 0:
            return EraseStatus::Refused;
        case 1:
            return EraseStatus::Accepted;
        case 2:
            return EraseStatus::Warning;
        default:
            return EraseStatus::Other;
    }
}

bool Link::SendEP() {
    Report answer{};
    return exchange(BuildCommandReport(kCommandCode, command::kEraseConfirm), answer);
}

int Link::ResyncAnswers(const std::string& serial) {
    // The clock report's answer is still queued. Draw queued answers until one carries the
    // serial number; ask again only when nothing is queued. Asking again for every wrong
    // answer would leave one answer queued for the next command.
    const Report query = BuildCommandReport(kQueryCode, command::kSerial);
    bool ask = true;
    for (int reads = 0; reads < kMaxResyncTries; ++reads) {
        Report answer{};
        const bool answered = ask ? exchange(query, answer) : readAnswer(answer);
        if (!answered) {
            if (!isOpen()) return -1;
            ask = true;  // nothing queued: ask again
            continue;
        }
        // The serial number as the instrument gives it, whatever its length.
        if (AnswersQuery(answer, command::kSerial) && veltra::QueryValue(answer) == serial)
            return reads;
        ask = false;
    }
    return -1;
}

std::string Link::GetIOVersion() {
    Report answer{};
    if (!exchange(BuildBareReport(kIOVersionCode), answer)) return {};
    return AnswerText(answer, kStatusByte);
}

std::string Link::GetVTVersion() {
    Report answer{};
    if (!exchange(BuildCommandReport(kQueryCode, command::kModel), answer)) return {};
    if (!AnswersQuery(answer, command::kModel)) return {};
    return VersionFromAnswer(answer);
}

std::string Link::GetSerial() {
    return QueryValue(command::kSerial).value_or("");
}

bool Link::SetClock(const std::string& clockText) {
    return writeOnly(BuildClockReport(clockText));
}

}  // namespace veltra
