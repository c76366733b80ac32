#include "sim/Simulator.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

#include "channelplans/ChannelRecord.h"
#include "link/Commands.h"
#include "text/Files.h"

namespace veltra::sim {

namespace {

constexpr int kFirstInterface = 0;

class SimDevice : public HidDevice {
  public:
    SimDevice(Simulator& sim, int id) : sim_(sim), id_(id), generation_(sim.generation()) {}
    ~SimDevice() override { sim_.handleClosed(); }

    std::optional<std::u32string> productString(std::size_t maxUnits) override {
        if (!sim_.devicePresent(id_, generation_)) return std::nullopt;
        const std::string product = sim_.deviceProduct(id_);
        std::u32string text(product.begin(), product.end());
        if (maxUnits > 0 && text.size() > maxUnits - 1) text.resize(maxUnits - 1);
        return text;
    }
    bool write(const Report& report) override { return sim_.deviceWrite(id_, generation_, report); }
    ReadStatus read(Report& report, int /*timeoutMs*/) override {
        return sim_.deviceRead(id_, generation_, report);
    }

  private:
    Simulator& sim_;
    int id_;
    int generation_;  // a handle of an earlier enumeration is gone
};

std::string PathOf(int id) {
    return "sim:hidraw" + std::to_string(id);
}

std::string CommandText(const Report& report) {
    std::string text;
    for (std::size_t i = 3; i < kReportSize && report[i] != 0 && report[i] != kCarriageReturn; ++i)
        text.push_back(static_cast<char>(report[i]));
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::optional<int> Number(std::string_view text) {
    const auto value = veltra::ParseDecimal(text);
    if (!value || *value < 0 || *value > 1000000000) return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace

Simulator::Simulator(Identity identity) : identity_(std::move(identity)) {
    interfaces_.push_back({kFirstInterface, identity_.product, {}});
}

Simulator::~Simulator() = default;

void Simulator::addOtherDevice(const std::string& product, bool before) {
    const int id = 200 + static_cast<int>(others_before_.size() + others_after_.size());
    (before ? others_before_ : others_after_).push_back({id, product, {}});
}

void Simulator::addSecondInterface(const std::string& serial) {
    interfaces_.push_back({100 + static_cast<int>(interfaces_.size()), identity_.product, serial});
}

std::vector<std::string> Simulator::enumerate() {
    std::vector<std::string> paths;
    for (const Device& d : others_before_)
        paths.push_back(PathOf(d.id));
    if (plugged_) {
        for (const Device& d : interfaces_)
            paths.push_back(PathOf(d.id));
    }
    for (const Device& d : others_after_)
        paths.push_back(PathOf(d.id));
    return paths;
}

std::optional<std::u32string> Simulator::listedProduct(const std::string& path) const {
    const std::size_t digits = path.find_first_of("0123456789");
    if (digits == std::string::npos) return std::nullopt;
    const std::string product = deviceProduct(std::stoi(path.substr(digits)));
    return std::u32string(product.begin(), product.end());
}

std::unique_ptr<HidDevice> Simulator::open(const std::string& path) {
    for (const std::string& candidate : enumerate()) {
        if (candidate != path) continue;
        const int id = std::stoi(path.substr(path.find_first_of("0123456789")));
        ++openHandles_;
        ++opens_;
        return std::make_unique<SimDevice>(*this, id);
    }
    return nullptr;
}

bool Simulator::devicePresent(int deviceId, int generation) const {
    if (deviceId >= 200) return true;
    return plugged_ && generation == generation_;
}

std::string Simulator::deviceProduct(int deviceId) const {
    for (const auto* list : {&others_before_, &others_after_, &interfaces_}) {
        for (const Device& d : *list) {
            if (d.id == deviceId) return d.id == kFirstInterface ? identity_.product : d.product;
        }
    }
    return {};
}

void Simulator::setPlugged(bool plugged) {
    if (plugged_ == plugged) return;
    plugged_ = plugged;
    if (!plugged) answers_.clear();
    if (onDeviceChange_) onDeviceChange_();
}

void Simulator::silence(const std::string& commandPrefix) {
    silenced_.push_back(commandPrefix);
}

void Simulator::unplugAtReport(int n) {
    unplugAt_ = reportsWritten_ + n;
}

void Simulator::faultAtReport(int n, Fault fault, unsigned seed) {
    if (fault == Fault::Unplug) {
        unplugAtReport(n);
        return;
    }
    faultAt_ = reportsWritten_ + n;
    fault_ = fault;
    faultSeed_ = seed;
}

void Simulator::setStatus(const std::string& commandPrefix, std::uint8_t status, int times) {
    statuses_[commandPrefix] = {status, times};
}

void Simulator::setAnswer(const std::string& commandPrefix, const Report& answer) {
    fixedAnswers_[commandPrefix] = answer;
}

bool Simulator::setTrafficLog(const std::string& path) {
    trafficLog_.open(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(trafficLog_);
}

void Simulator::log(bool toDevice, const Report& report) {
    traffic_.push_back({toDevice, report});
    if (trafficLog_.is_open()) {
        trafficLog_ << (toDevice ? "> " : "< ") << ReportToHex(report) << '\n';
        trafficLog_.flush();
    }
}

std::vector<std::string> Simulator::commandsSent() const {
    std::vector<std::string> commands;
    for (const TrafficEntry& e : traffic_) {
        if (e.toDevice) commands.push_back(CommandText(e.report));
    }
    return commands;
}

std::size_t Simulator::pendingAnswers() const {
    std::size_t n = 0;
    for (const auto& [id, queue] : answers_)
        n += queue.size();
    return n;
}

bool Simulator::deviceWrite(int deviceId, int generation, const Report& report) {
    if (!devicePresent(deviceId, generation)) return false;
    if (latency_.count() > 0) std::this_thread::sleep_for(latency_);
    ++reportsWritten_;
    if (unplugAt_ > 0 && reportsWritten_ == unplugAt_) {
        unplugAt_ = 0;
        setPlugged(false);
        return false;
    }
    log(true, report);
    if (deviceId >= 200) return true;  // other HID devices ignore our reports
    if (report[1] != 0x03) {
        loaderReport(report);  // the loader answers nothing
        return true;
    }
    if (inLoader_) return true;  // nor does it know the instrument's commands
    stateWriteFailed_ = false;
    auto answer = answerFor(report);
    if (stateWriteFailed_) return true;  // never answered: the state was not kept
    if (answer) {
        if (deviceId != kFirstInterface) {
            // A second interface is another instrument: its own serial number.
            for (const Device& d : interfaces_) {
                if (d.id == deviceId && CommandText(report) == command::kSerial)
                    *answer = QueryAnswer(command::kSerial, d.serial);
            }
        }
        if (faultAt_ > 0 && reportsWritten_ == faultAt_) {
            faultAt_ = 0;
            if (!spoil(*answer)) return true;
        }
        answers_[deviceId].push_back(*answer);
    }
    return true;
}

ReadStatus Simulator::deviceRead(int deviceId, int generation, Report& report) {
    if (!devicePresent(deviceId, generation)) return ReadStatus::Gone;
    auto& queue = answers_[deviceId];
    if (queue.empty()) return ReadStatus::TimedOut;
    if (latency_.count() > 0) std::this_thread::sleep_for(latency_);
    report = queue.front();
    queue.pop_front();
    log(false, report);
    return ReadStatus::Ok;
}

bool Simulator::spoil(Report& answer) const {
    switch (fault_) {
        case Fault::Unplug:
        case Fault::NoAnswer:
            return false;
        case Fault::Zeros:
            answer.fill(0);
            break;
        case Fault::RandomBytes: {
            std::mt19937 random(faultSeed_);
            for (auto& b : answer)
                b = static_cast<std::uint8_t>(random());
            break;
        }
        case Fault::WrongEcho:
            // The answer to another query, its value intact.
            std::copy_n("*?XX", 4, answer.begin() + 4);
            break;
        case Fault::GarbledValue: {
            // The echo intact, the value from byte 8 to its carriage return garbled.
            static constexpr std::uint8_t kGarble[] = {0xFF, '&', '.'};
            std::size_t end = 8;
            while (end < answer.size() && answer[end] != 13)
                ++end;
            if (end == 8) end = 11;
            for (std::size_t k = 8; k < end && k + 1 < answer.size(); ++k)
                answer[k] = kGarble[(k - 8) % 3];
            answer[std::min(end, answer.size() - 1)] = 13;
            break;
        }
    }
    return true;
}

std::optional<Report> Simulator::answerFor(const Report& report) {
    if (report[1] != 0x03) return std::nullopt;
    const std::uint8_t code = report[2];
    const std::string command = CommandText(report);
    for (const std::string& prefix : silenced_) {
        if (StartsWith(command, prefix)) return std::nullopt;
    }
    for (const auto& [prefix, answer] : fixedAnswers_) {
        if (StartsWith(command, prefix)) return answer;
    }
    switch (code) {
        case kIOVersionCode: {
            Report answer = StatusAnswer(code, 0);
            const std::string& v = identity_.ioVersion;
            std::copy_n(v.begin(), std::min<std::size_t>(v.size(), 61), answer.begin() + 3);
            return answer;
        }
        case kQueryCode:
            return answerQuery(command);
        case kCommandCode:
        case kRecordCode:
        case kEraseCode: {
            for (auto& [prefix, override] : statuses_) {
                if (!StartsWith(command, prefix) || override.times == 0) continue;
                if (override.times > 0) --override.times;
                return StatusAnswer(code, override.status);
            }
            return StatusAnswer(
                code, code == kRecordCode ? recordStatus(report) : commandStatus(command));
        }
        default:
            return std::nullopt;
    }
}

Report Simulator::QueryAnswer(const std::string& command, const std::string& value) {
    Report answer = StatusAnswer(kQueryCode, 0);
    std::copy_n(command.begin(), std::min<std::size_t>(command.size(), 4), answer.begin() + 4);
    const std::size_t length = std::min<std::size_t>(value.size(), kReportSize - 9);
    std::copy_n(value.begin(), length, answer.begin() + 8);
    answer[8 + length] = kCarriageReturn;
    return answer;
}

Report Simulator::StatusAnswer(std::uint8_t code, std::uint8_t status) {
    Report answer{};
    answer[1] = 0x03;
    answer[2] = code;
    answer[3] = status;
    return answer;
}

Report Simulator::answerQuery(const std::string& command) {
    if (command == command::kModel)
        return QueryAnswer(command, identity_.product + identity_.vtVersion);
    if (command == command::kSerial) return QueryAnswer(command, identity_.serial);
    for (const char* prefix : {command::kPlanCount, command::kPlanNameQuery,
                               command::kChannelCountQuery, command::kChannelQuery}) {
        if (StartsWith(command, prefix)) return planQuery(command);
    }
    for (const char* prefix :
         {command::kTvPresence, command::kModemPresence, command::kTvEntry, command::kModemEntry,
          command::kTvHeaderQuery, command::kTvRecordQuery, command::kLoggerKindQuery,
          command::kModemRowQuery}) {
        if (StartsWith(command, prefix)) return loggerQuery(command);
    }
    planCommand(command);
    return QueryAnswer(command, "");
}

// ---------------------------------------------------------------------------------------------
// Loggers

Report Simulator::loggerQuery(const std::string& command) {
    const bool tvList = StartsWith(command, command::kTvPresence) ||
                        StartsWith(command, command::kTvEntry) ||
                        StartsWith(command, command::kTvHeaderQuery) ||
                        StartsWith(command, command::kTvRecordQuery);
    const std::string argument = command.substr(4);
    auto logger = [&](bool tv, const std::string& digits) -> const SimLogger* {
        if (digits.size() < 2) return nullptr;
        const auto number = Number(digits.substr(0, 2));
        if (!number) return nullptr;
        const std::size_t n = static_cast<std::size_t>(*number);
        if (tv) return n < tvLoggers_.size() && tvLoggers_[n] ? &*tvLoggers_[n] : nullptr;
        return n < modemLoggers_.size() && modemLoggers_[n] ? &*modemLoggers_[n] : nullptr;
    };
    if (StartsWith(command, command::kTvPresence) || StartsWith(command, command::kModemPresence)) {
        // Six loggers per character; bit 0x40 keeps the character printable.
        const std::size_t count = tvList ? tvLoggers_.size() : modemLoggers_.size();
        std::string bitmaps(tvList ? 9 : 5, '\x40');
        for (std::size_t n = 0; n < count; ++n) {
            const bool present = tvList ? tvLoggers_[n].has_value() : modemLoggers_[n].has_value();
            if (present) bitmaps[n / 6] = static_cast<char>(bitmaps[n / 6] | (1 << (n % 6)));
        }
        return QueryAnswer(command, bitmaps);
    }
    if (StartsWith(command, command::kTvEntry) || StartsWith(command, command::kModemEntry)) {
        const SimLogger* l = logger(tvList, argument);
        if (!l) return QueryAnswer(command, "");
        return QueryAnswer(command, argument.substr(0, 2) + l->time + l->date + l->name);
    }
    if (StartsWith(command, command::kTvHeaderQuery)) {
        const SimLogger* l = logger(true, argument);
        return QueryAnswer(command, l ? l->header : "");
    }
    if (StartsWith(command, command::kTvRecordQuery)) {
        const SimLogger* l = logger(true, argument);
        const int record = argument.size() == 5 ? Number(argument.substr(2)).value_or(-1) : -1;
        if (!l || record < 0 || record >= static_cast<int>(l->records.size()))
            return QueryAnswer(command, "");
        return QueryAnswer(command, l->records[static_cast<std::size_t>(record)]);
    }
    if (StartsWith(command, command::kLoggerKindQuery)) {
        const SimLogger* l = logger(false, argument);
        return QueryAnswer(command, l ? "E&" + std::to_string(l->kind) : "E&9");
    }
    // The modem row query: NN and the row code.
    const SimLogger* l = logger(false, argument);
    const int code = argument.size() > 2 ? Number(argument.substr(2)).value_or(-1) : -1;
    if (!l) return QueryAnswer(command, "");
    const auto row = l->rows.find(code);
    return QueryAnswer(command, row == l->rows.end() ? "" : row->second);
}

std::uint8_t Simulator::commandStatus(const std::string& command) {
    if (command == command::kStartUpdate) {
        updateMode_ = true;
        receivedRecords_.clear();
    }
    if (command == command::kEndUpdate && updateMode_) {
        updateMode_ = false;
        std::string records;
        for (const std::string& line : receivedRecords_)
            records += line + "\n";
        saveOutput("instrument-firmware.srec", records);
    }
    if (command == command::kEraseConfirm) {
        // "*PM00" followed by "*EP" erases every plan.
        if (erasePending_) {
            plans_.clear();
            savePlans();
        }
        erasePending_ = false;
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Firmware

void Simulator::loaderReport(const Report& report) {
    switch (report[1]) {
        case 8:
            // The IO interface leaves enumeration and comes back: in its loader (byte 7 = 1) or
            // in its firmware (0), under the same product string.
            inLoader_ = report[7] == 1;
            ++generation_;
            answers_.clear();
            if (!inLoader_)
                saveOutput("io-firmware.bin", std::string(ioImage_.begin(), ioImage_.end()));
            if (onDeviceChange_) onDeviceChange_();
            break;
        case 4:
            if (inLoader_) erasedUnits_.push_back(report[7]);
            break;
        case 5:
            if (!inLoader_) break;
            blockAddress_ = static_cast<std::uint32_t>(report[2]) |
                            (static_cast<std::uint32_t>(report[3]) << 8) |
                            (static_cast<std::uint32_t>(report[4]) << 16) |
                            (static_cast<std::uint32_t>(report[5]) << 24);
            if (blockAddress_ + 32 <= ioImage_.size())
                std::copy_n(report.begin() + 7, 32, ioImage_.begin() + blockAddress_);
            break;
        case 6:
            if (inLoader_ && blockAddress_ + 64 <= ioImage_.size())
                std::copy_n(report.begin() + 7, 32, ioImage_.begin() + blockAddress_ + 32);
            break;
        default:
            break;
    }
}

std::uint8_t Simulator::recordStatus(const Report& report) {
    // "*SXS", the type character, the count L and L bytes whose sum with L is 0xFF modulo 256.
    if (!updateMode_ ||
        std::string(report.begin() + 3, report.begin() + 7) != command::kFirmwareRecord)
        return 0;
    const unsigned count = report[8];
    if (9 + count > kReportSize) return 0;
    unsigned sum = count;
    for (unsigned i = 0; i < count; ++i)
        sum += report[9 + i];
    if (sum % 256 != 0xFF) return 0;
    static const char digits[] = "0123456789ABCDEF";
    std::string line = "S";
    line.push_back(static_cast<char>(report[7]));
    for (unsigned i = 0; i <= count; ++i) {
        const std::uint8_t byte = report[8 + i];
        line.push_back(digits[byte >> 4]);
        line.push_back(digits[byte & 0x0F]);
    }
    receivedRecords_.push_back(line);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Channel plans

std::string Simulator::ChannelWireText(const SimChannel& c) {
    return ":" + c.name + "&" + std::to_string(c.frequency) + "&" + std::to_string(c.bandwidth) +
           "&" + std::to_string(c.offset) + "&" + std::to_string(c.type) + "&" +
           std::to_string(c.system) + "&" + std::to_string(c.modulation) + "&" +
           std::to_string(c.symbolRate) + "&" + std::to_string(c.group) + "&" +
           std::to_string(c.flag);
}

Report Simulator::planQuery(const std::string& command) {
    const std::string argument = command.substr(4);
    auto plan = [&](int slot) -> SimPlan* {
        return slot >= 0 && slot < static_cast<int>(plans_.size()) ? &plans_[slot] : nullptr;
    };
    if (StartsWith(command, command::kPlanCount))
        return QueryAnswer(command, std::to_string(plans_.size()));
    if (StartsWith(command, command::kPlanNameQuery)) {
        const SimPlan* p = plan(Number(argument).value_or(-1));
        return QueryAnswer(command, p ? p->name : "");
    }
    if (StartsWith(command, command::kChannelCountQuery)) {
        const SimPlan* p = plan(Number(argument).value_or(-1));
        return QueryAnswer(command, std::to_string(p ? p->channels.size() : 0));
    }
    // The channel query: slot (two digits) and channel (three digits).
    const SimPlan* p =
        argument.size() == 5 ? plan(Number(argument.substr(0, 2)).value_or(-1)) : nullptr;
    const int index = argument.size() == 5 ? Number(argument.substr(2)).value_or(-1) : -1;
    if (!p || index < 0 || index >= static_cast<int>(p->channels.size()))
        return QueryAnswer(command, "");
    return QueryAnswer(command, ChannelWireText(p->channels[static_cast<std::size_t>(index)]));
}

void Simulator::planCommand(const std::string& command) {
    auto slotPlan = [&](const std::string& rest) -> SimPlan* {
        if (rest.empty() || rest[0] < '0' || rest[0] > '9') return nullptr;
        const std::size_t slot = static_cast<std::size_t>(rest[0] - '0');
        return slot < plans_.size() ? &plans_[slot] : nullptr;
    };
    if (command == command::kErasePlans) {
        erasePending_ = true;
        return;
    }
    erasePending_ = false;
    if (StartsWith(command, command::kSetPlanCountPrefix)) {
        const int count = std::min(Number(command.substr(3)).value_or(0), 10);
        plans_.resize(static_cast<std::size_t>(count));
        savePlans();
        return;
    }
    const bool name = StartsWith(command, command::kSetPlanNamePrefix);
    const bool count = StartsWith(command, command::kSetChannelCountPrefix);
    if (!name && !count && !StartsWith(command, command::kSetChannelPrefix)) return;
    SimPlan* p = slotPlan(command.substr(4));
    if (!p) return;
    if (name) {
        p->name = command.substr(5);
    } else if (count) {
        p->channels.clear();
    } else {
        auto channel = ChannelFromPayload(command.substr(5));
        if (!channel) return;
        if (dropChannels_ > 0) {
            --dropChannels_;
            return;
        }
        p->channels.push_back(*channel);
    }
    savePlans(static_cast<int>(p - plans_.data()));
}

void Simulator::saveOutput(const std::string& name, const std::string& content) {
    if (outputFolder_.empty()) return;
    if (!veltra::WriteFileAtomically(outputFolder_ + "/" + name, content)) stateWriteFailed_ = true;
}

void Simulator::savePlans(int only) {
    if (plansFolder_.empty()) return;
    veltra::MakeFolders(plansFolder_);
    for (std::size_t slot = 0; slot < 10; ++slot) {
        if (only >= 0 && slot != static_cast<std::size_t>(only)) continue;
        const std::string path = plansFolder_ + "/plan" + std::to_string(slot) + ".c52";
        if (slot >= plans_.size()) {
            if (!veltra::RemoveFile(path)) stateWriteFailed_ = true;
            continue;
        }
        // What the instrument would answer for each channel, as the program writes it down.
        std::vector<std::string> lines;
        for (const SimChannel& channel : plans_[slot].channels) {
            const std::string line = veltra::ChannelAnswerToLine(ChannelWireText(channel));
            if (line != "error") lines.push_back(std::to_string(lines.size()) + line);
        }
        if (!veltra::WriteFileAtomically(path, veltra::FormatPlanFile(plans_[slot].name, lines)))
            stateWriteFailed_ = true;
    }
}

std::optional<SimChannel> Simulator::ChannelFromPayload(const std::string& payload) {
    // index&name&frequency&bandwidth&offset&type&system&modulation&symbolrate&group&flag
    const auto parts = veltra::SplitAmpersands(payload);
    if (parts.size() != 11) return std::nullopt;
    SimChannel c;
    c.name = std::string(parts[1]);
    c.frequency = veltra::ParseDecimal(parts[2]).value_or(0);
    c.bandwidth = veltra::ParseDecimal(parts[3]).value_or(0);
    c.offset = veltra::ParseDecimal(parts[4]).value_or(0);
    c.type = Number(parts[5]).value_or(0);
    c.system = Number(parts[6]).value_or(0);
    c.modulation = Number(parts[7]).value_or(0);
    c.symbolRate = Number(parts[8]).value_or(0);
    c.group = Number(parts[9]).value_or(0);
    c.flag = Number(parts[10]).value_or(0);
    return c;
}

bool Simulator::addPlanFromFile(const std::string& content) {
    if (plans_.size() >= 10) return false;
    veltra::PlanFileReader reader(content);
    SimPlan plan;
    plan.name = reader.name();
    veltra::PayloadConverter converter;
    for (int i = 0; i < reader.count(); ++i) {
        const std::string payload = converter.ChannelLineToPayload(reader.nextLine(), i == 0);
        const auto channel = ChannelFromPayload(payload);
        if (veltra::IsErrorMarker(payload) || !channel) return false;
        plan.channels.push_back(*channel);
    }
    plans_.push_back(std::move(plan));
    return true;
}

}  // namespace veltra::sim
