#include "sim/SimState.h"

#ifdef _WIN32
#include <windows.h>
#include <cstdio>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <thread>

#include "channelplans/ChannelRecord.h"
#include "link/Commands.h"
#include "loggers/LoggerRecords.h"
#include "text/Files.h"

namespace veltra::sim {

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.substr(start);
}

// One program at a time keeps its state in a folder: a second one waits a little for the
// first, then gives up. The lock is held on DIR/.lock as long as the returned handle lives;
// none when another program holds it.
std::shared_ptr<void> LockFolder(const std::string& folder, std::chrono::milliseconds patience) {
    const auto path = veltra::NativePath(folder) / ".lock";
    const auto giveUp = std::chrono::steady_clock::now() + patience;
#ifdef _WIN32
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    for (;;) {
        OVERLAPPED whole{};
        if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                         &whole))
            return std::shared_ptr<void>(file, [](void* held) { ::CloseHandle(held); });
        if (std::chrono::steady_clock::now() >= giveUp) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::CloseHandle(file);
#else
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return std::shared_ptr<void>(new int(fd), [](void* held) {
                ::close(*static_cast<int*>(held));
                delete static_cast<int*>(held);
            });
        if (std::chrono::steady_clock::now() >= giveUp) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(fd);
#endif
    return nullptr;
}

bool IsFolder(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(veltra::NativePath(folder), ec);
}

// instrument.txt: "key = value" lines; "#" starts a comment line.
bool ReadIdentity(const std::string& path, Identity& identity, std::string& error) {
    std::string content;
    const veltra::FileRead read =
        veltra::ReadWholeFile(path, content, veltra::file_limit::kTextFile);
    if (read.status == veltra::FileRead::Missing) return true;  // the demo's identity
    if (!read) {
        error = "cannot read " + path;
        return false;
    }
    veltra::TextLineReader lines(content);
    int number = 0;
    while (const auto next = lines.next(std::string::npos)) {
        const std::string& line = *next;
        ++number;
        const std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            error = path + ":" + std::to_string(number) + ": expected key = value";
            return false;
        }
        const std::string key = Trimmed(line.substr(0, equals));
        // Values keep their blanks: the instrument version starts with one.
        std::string value = line.substr(equals + 1);
        if (!value.empty() && value.front() == ' ') value.erase(0, 1);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        if (key == "product") {
            identity.product = value;
        } else if (key == "serial") {
            identity.serial = value;
        } else if (key == "io_version") {
            identity.ioVersion = value;
        } else if (key == "instrument_version") {
            identity.vtVersion = value;
        } else {
            error = path + ":" + std::to_string(number) + ": unknown key " + key;
            return false;
        }
    }
    return true;
}

// The demo instrument's channel plans, as channel plan files.
std::string DemoPlanAnalog() {
    // European VHF and UHF channels, PAL B/G, the first ones switched off.
    std::vector<std::string> lines;
    const struct {
        const char* name;
        long long mhz100;  // vision carrier in 10 kHz
        int bandwidth;
        bool on;
    } channels[] = {
        {"E2", 4825, 7000000, false},  {"E3", 5525, 7000000, false},  {"E4", 6225, 7000000, false},
        {"E5", 17525, 7000000, true},  {"E6", 18225, 7000000, true},  {"E7", 18925, 7000000, true},
        {"E8", 19625, 7000000, true},  {"E9", 20325, 7000000, true},  {"E10", 21025, 7000000, true},
        {"E11", 21725, 7000000, true}, {"E12", 22425, 7000000, true}, {"E21", 47125, 8000000, true},
        {"E22", 47925, 8000000, true}, {"E23", 48725, 8000000, true}, {"E24", 49525, 8000000, true},
    };
    int index = 0;
    for (const auto& c : channels) {
        lines.push_back(std::to_string(index++) + "," + c.name + "," +
                        std::to_string(c.mhz100 * 10000) + "," + std::to_string(c.bandwidth) +
                        ",0,ANALOG," + (c.on ? "ON" : "OFF") + ",PAL/BG,NO GROUP,NO");
    }
    return veltra::FormatPlanFile("EUROP", lines);
}

std::string DemoPlanDigital() {
    // DVB-C multiplexes every 8 MHz from 306 MHz.
    std::vector<std::string> lines;
    for (int i = 0; i < 16; ++i) {
        const long long frequency = 306000000LL + 8000000LL * i;
        lines.push_back(std::to_string(i) + ",S" + std::to_string(21 + i) + "," +
                        std::to_string(frequency) + ",8000000,0,DIGITAL,ON,DVB-C," +
                        (i < 12 ? "QAM256,6952" : "QAM64,6875") + ",NO GROUP,NO");
    }
    return veltra::FormatPlanFile("DVBC", lines);
}

std::string DemoPlanDocsis() {
    // A cable network: analog channels, then two DOCSIS bonding groups of downstream channels.
    std::vector<std::string> lines = {
        "0,C5,175250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO",
        "1,C6,182250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO",
        "2,C7,189250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO",
    };
    for (int i = 0; i < 8; ++i) {
        const long long frequency = 602000000LL + 8000000LL * i;
        const int group = i < 4 ? 1 : 2;
        lines.push_back(std::to_string(3 + i) + ",D" + std::to_string(i + 1) + "," +
                        std::to_string(frequency) + ",8000000,0,DIGITAL,ON,DVB-C,QAM256,6952," +
                        std::to_string(group) + "," + (i % 4 == 0 ? "YES" : "NO"));
    }
    lines.push_back(
        "11,US,858000000,8000000,-125000,DIGITAL,OFF,ITU J.83/C,QAM64,5274,NO GROUP,NO");
    return veltra::FormatPlanFile("DOCSI", lines);
}

// A TV logger over the analog and digital channels of a cable network.
// `shift`: dB added to every level, for a later visit to the same site.
SimLogger DemoTvLogger(const std::string& name, const std::string& time, const std::string& date,
                       int records, double shift = 0) {
    auto level = [shift](double dB) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", dB + shift);
        return std::string(text);
    };
    SimLogger logger{name, time, date, 0, "", {}, {}};
    logger.header = "H&DOCSI&" + std::to_string(records) + "&0&5500000&450";
    const char* analog[] = {"C5", "C6", "C7"};
    for (int k = 0; k < records; ++k) {
        if (k < 3) {
            const long long frequency = 175250000LL + 7000000LL * k;
            logger.records.push_back("0&" + std::string(analog[k]) + "&" +
                                     std::to_string(frequency) + "&0&7000000&0&5.50&" +
                                     level(68.4 + k) + "&1" + std::to_string(3 + k) + ".0&4" +
                                     std::to_string(7 + k) + ".5 ");
        } else if (k == 9) {
            // A faulty channel: weak, with a poor MER.
            logger.records.push_back("1&D7&650000000&0&8000000&0&4&6952&" + level(44.6) +
                                     "&29.5&2.3E-5");
        } else {
            const long long frequency = 602000000LL + 8000000LL * (k - 3);
            logger.records.push_back("1&D" + std::to_string(k - 2) + "&" +
                                     std::to_string(frequency) + "&0&8000000&0&4&6952&" +
                                     level(60.2 + k % 10) + "&3" + std::to_string(5 + k % 4) +
                                     ".8&<1.0E-8");
        }
    }
    return logger;
}

SimLogger DemoModemLogger(const std::string& name, const std::string& time,
                          const std::string& date) {
    SimLogger logger{name, time, date, 0, "", {}, {}};
    for (int d = 0; d < 8; ++d) {
        if (d < 6) {
            logger.rows[d] = "0&D" + std::to_string(d + 1) + "&DOCSI&" +
                             std::to_string(602 + 8 * d) + ".00&6" + std::to_string(d) + ".1&3" +
                             std::to_string(6 + d % 3) + ".4&256";
        } else {
            logger.rows[d] = "0&-&-&-&-&-&-";
        }
    }
    const char* modulations[] = {"64QAM", "64QAM", "16QAM", "-"};
    for (int u = 0; u < 4; ++u) {
        logger.rows[10 + u] = "0&" + std::to_string(u + 1) + "&" + std::to_string(30 + 7 * u) +
                              ".60&10" + std::to_string(2 + u) + ".5&0&6.40&5120&" + modulations[u];
    }
    return logger;
}

SimLogger DemoDownLogger(const std::string& name, const std::string& time,
                         const std::string& date) {
    SimLogger logger{name, time, date, 1, "", {}, {}};
    logger.rows[8] = "1&D2&DOCSIS&610.00&DVB-C&EURODOCSIS 3.0&256&6952";
    logger.rows[9] = "1&61.2&37.5&12&17&-0.02&2.1E-6&<1.0E-8";
    for (int d = 0; d < 8; ++d) {
        logger.rows[d] = "1&D" + std::to_string(d + 1) + "&DOCSI&" + std::to_string(602 + 8 * d) +
                         ".00&x&6" + std::to_string(d) + ".8";
    }
    return logger;
}

void AddDemoLoggers(Simulator& simulator) {
    simulator.tvLoggers()[0] = DemoTvLogger("NORTH-HE", "09:12:44", "02/12/2026", 11);
    // The same site a week later, after an amplifier was changed: something to compare.
    simulator.tvLoggers()[1] = DemoTvLogger("NORTH-HE2", "08:47:05", "09/12/2026", 11, -2.5);
    simulator.tvLoggers()[3] = DemoTvLogger("TAP-17", "11:05:02", "03/12/2026", 8);
    simulator.tvLoggers()[7] = DemoTvLogger("RIVERSIDE", "16:47:30", "05/12/2026", 14);
    simulator.modemLoggers()[0] = DemoModemLogger("CM-0042", "10:20:11", "04/12/2026");
    simulator.modemLoggers()[1] = DemoDownLogger("DS-MAIN", "10:24:56", "04/12/2026");
    simulator.modemLoggers()[4] = DemoModemLogger("CM-0107", "15:02:39", "06/12/2026");
}

void AddDemoPlans(Simulator& simulator) {
    for (const std::string& plan : {DemoPlanAnalog(), DemoPlanDigital(), DemoPlanDocsis()})
        simulator.addPlanFromFile(plan);
}

// plans/plan0.c52 .. plans/plan9.c52, in slot order, replace the demo's plans when the folder
// exists.
bool ReadPlans(const std::string& folder, Simulator& simulator, std::string& error) {
    if (!IsFolder(folder)) {
        AddDemoPlans(simulator);
        return true;
    }
    for (int slot = 0; slot < 10; ++slot) {
        const std::string path = folder + "/plan" + std::to_string(slot) + ".c52";
        std::string content;
        const veltra::FileRead read =
            veltra::ReadWholeFile(path, content, veltra::file_limit::kPlanFile);
        if (read.status == veltra::FileRead::Missing) break;
        if (!read || !simulator.addPlanFromFile(content)) {
            error = path + ": not a valid channel plan";
            return false;
        }
    }
    return true;
}

// --- Loggers from the program's own logger files ---------------------------------------------

std::string Joined(const std::string* first, const std::string* last) {
    std::string text;
    for (const std::string* field = first; field != last; ++field)
        text += "&" + *field;
    return text;
}

// The noise measurement mode of a TV logger file's text (the program writes the language's
// word; the English ones and digits are known).
int NoiseMode(const std::string& text) {
    if (text == "Fixed frequency" || text == "1") return 1;
    if (text == "Off" || text == "2") return 2;
    return 0;
}

// A TV logger file as the instrument answers for it.
SimLogger TvFromFile(const veltra::TvLogger& tv) {
    SimLogger logger{tv.name, tv.time, tv.date, 0, "", {}, {}};
    logger.header = "H&" + tv.planName + "&" + std::to_string(tv.records.size()) + "&" +
                    std::to_string(NoiseMode(tv.noiseMode)) + "&" +
                    std::to_string(veltra::MHzTextToHz(tv.noiseFrequency)) + "&" +
                    std::to_string(veltra::LeadingInteger(tv.threshold) * 10);
    for (const veltra::TvRecord& r : tv.records) {
        const bool digital = r[5] == "DIGITAL";
        std::string answer = std::string(digital ? "1" : "0") + "&" + r[1] + "&" +
                             std::to_string(veltra::MHzTextToHz(r[2])) + "&" +
                             std::to_string(veltra::MHzTextToHz(r[4])) + "&" +
                             std::to_string(veltra::MHzTextToHz(r[3])) + "&";
        if (digital) {
            answer += std::to_string(std::max(0, veltra::CodeOf(veltra::kDigitalSystems, r[7]))) +
                      "&" +
                      std::to_string(std::max(0, veltra::CodeOf(veltra::kModulations, r[8]))) +
                      "&" + r[9] + "&" + r[6] + "&" + r[10] + "&" + r[11];
        } else {
            // The C/N comes with one more character.
            answer += std::to_string(std::max(0, veltra::CodeOf(veltra::kAnalogSystems, r[7]))) +
                      "&" + r[8] + "&" + r[6] + "&" + r[9] + "&" + r[10] + " ";
        }
        logger.records.push_back(answer);
    }
    return logger;
}

SimLogger ModemFromFile(const veltra::ModemLogger& modem) {
    SimLogger logger{modem.name, modem.time, modem.date, 0, "", {}, {}};
    for (std::size_t d = 0; d < modem.down.size(); ++d) {
        const auto& row = modem.down[d];
        const std::string modulation = row[6].rfind("QAM", 0) == 0 ? row[6].substr(3) : row[6];
        logger.rows[static_cast<int>(d)] = "0" + Joined(&row[1], &row[1] + 5) + "&" + modulation;
    }
    for (std::size_t u = 0; u < modem.up.size(); ++u)
        logger.rows[10 + static_cast<int>(u)] = "0" + Joined(&modem.up[u][1], &modem.up[u][1] + 7);
    return logger;
}

SimLogger DownFromFile(const veltra::DownLogger& l) {
    SimLogger logger{l.name, l.time, l.date, 1, "", {}, {}};
    logger.rows[8] = "1&" + l.channel + "&" + l.planName + "&" + l.frequency + "&" + l.system +
                     "&" + l.version + "&" + l.modulation + "&" + l.symbolRate;
    logger.rows[9] = "1&" + l.power + "&" + l.mer + "&" + l.interleaverI + "&" + l.interleaverJ +
                     "&" + l.offset + "&" + l.preBer + "&" + l.postBer;
    for (std::size_t d = 0; d < l.rows.size(); ++d) {
        const auto& row = l.rows[d];
        logger.rows[static_cast<int>(d)] =
            "1&" + row[1] + "&" + row[2] + "&" + row[3] + "&x&" + row[4];
    }
    return logger;
}

// loggers/tv-NN.logtv (NN 00..49) and loggers/modem-NN.logmr or .logds (00..29) replace the
// demo's loggers when the folder exists.
bool ReadLoggers(const std::string& folder, Simulator& simulator, std::string& error) {
    if (!IsFolder(folder)) {
        AddDemoLoggers(simulator);
        return true;
    }
    for (const std::string& name : veltra::FilesInFolder(folder)) {
        const std::string path = folder + "/" + name;
        const bool tv = name.rfind("tv-", 0) == 0;
        if (!tv && name.rfind("modem-", 0) != 0) continue;
        const auto number = veltra::WholeNumber(name.substr(tv ? 3 : 6, 2));
        const std::size_t slots =
            tv ? simulator.tvLoggers().size() : simulator.modemLoggers().size();
        std::string content;
        veltra::LoggerRecords records;
        const int kind = veltra::ReadWholeFile(path, content, veltra::file_limit::kLoggerFile)
                             ? veltra::ReadLoggerText(content, path, records)
                             : 0;
        const bool fits =
            tv ? kind == veltra::kShowTv : kind == veltra::kShowDown || kind == veltra::kShowModem;
        if (!number || static_cast<std::size_t>(*number) >= slots || !fits) {
            error = path + ": not a logger file of this slot";
            return false;
        }
        const auto slot = static_cast<std::size_t>(*number);
        if (tv) {
            simulator.tvLoggers()[slot] = TvFromFile(records.tv);
        } else {
            simulator.modemLoggers()[slot] = kind == veltra::kShowModem
                                                 ? ModemFromFile(records.modem)
                                                 : DownFromFile(records.down);
        }
    }
    return true;
}

// --- Faults ------------------------------------------------------------------------------------

// faults.txt: one fault per line, "#" starts a comment line:
//   latency MS | unplug N | no-answer N|COMMAND | zeros N|COMMAND | status BYTE COMMAND |
//   second-interface SERIAL | product NAME | other-device NAME
bool ReadFaults(const std::string& path, Simulator& simulator, std::string& error) {
    std::string content;
    const veltra::FileRead read =
        veltra::ReadWholeFile(path, content, veltra::file_limit::kTextFile);
    if (read.status == veltra::FileRead::Missing) return true;  // none
    if (!read) {
        error = "cannot read " + path;
        return false;
    }
    veltra::TextLineReader lines(content);
    int number = 0;
    while (const auto line = lines.next(1000)) {
        ++number;
        const std::string trimmed = Trimmed(*line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        const std::size_t blank = trimmed.find(' ');
        const std::string word = trimmed.substr(0, blank);
        const std::string argument =
            blank == std::string::npos ? "" : Trimmed(trimmed.substr(blank + 1));
        // A report number, or (not a number, or no report that far) a command.
        const auto value = veltra::WholeNumber(argument);
        const int report = value && *value <= 1000000000 ? static_cast<int>(*value) : 0;
        auto fail = [&](const std::string& why) {
            error = path + ":" + std::to_string(number) + ": " + why;
            return false;
        };
        if (argument.empty()) return fail(word + " needs an argument");
        if (word == "latency") {
            if (!value || *value > 1000) return fail("latency needs milliseconds (0..1000)");
            simulator.setLatency(std::chrono::milliseconds(*value));
        } else if (word == "unplug") {
            if (report < 1) return fail("unplug needs a report number");
            simulator.faultAtReport(report, Simulator::Fault::Unplug);
        } else if (word == "no-answer") {
            if (report > 0) {
                simulator.faultAtReport(report, Simulator::Fault::NoAnswer);
            } else {
                simulator.silence(argument);
            }
        } else if (word == "zeros") {
            if (report > 0) {
                simulator.faultAtReport(report, Simulator::Fault::Zeros);
            } else {
                simulator.setAnswer(argument, Report{});
            }
        } else if (word == "status") {
            const std::size_t space = argument.find(' ');
            const auto byte = veltra::WholeNumber(argument.substr(0, space));
            if (!byte || *byte > 255 || space == std::string::npos)
                return fail("status needs a byte (0..255) and a command");
            simulator.setStatus(Trimmed(argument.substr(space + 1)),
                                static_cast<std::uint8_t>(*byte));
        } else if (word == "second-interface") {
            simulator.addSecondInterface(argument);
        } else if (word == "product") {
            simulator.identity().product = argument;
        } else if (word == "other-device") {
            simulator.addOtherDevice(argument);
        } else {
            return fail("unknown fault " + word);
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<Simulator> MakeDemoInstrument() {
    auto simulator = std::make_unique<Simulator>();
    AddDemoPlans(*simulator);
    AddDemoLoggers(*simulator);
    return simulator;
}

std::unique_ptr<Simulator> LoadInstrument(const std::string& folder, std::string& error,
                                          std::chrono::milliseconds patience) {
    if (!IsFolder(folder)) {
        error = "no such folder: " + folder;
        return nullptr;
    }
    // A folder on a read-only medium: the state could never be kept.
    if (const veltra::FileWrite probe = veltra::CanWriteInFolder(folder); !probe) {
        error = "the simulated instrument's folder cannot be written: " + folder + ": " +
                probe.reason();
        return nullptr;
    }
    auto lock = LockFolder(folder, patience);
    if (!lock) {
        error = "the simulated instrument's folder is in use by another program: " + folder;
        return nullptr;
    }
    Identity identity;
    if (!ReadIdentity(folder + "/instrument.txt", identity, error)) return nullptr;
    auto simulator = std::make_unique<Simulator>(identity);
    simulator->holdFolderLock(std::move(lock));
    if (!ReadPlans(folder + "/plans", *simulator, error)) return nullptr;
    simulator->setPlansFolder(folder + "/plans");
    if (!ReadLoggers(folder + "/loggers", *simulator, error)) return nullptr;
    if (!ReadFaults(folder + "/faults.txt", *simulator, error)) return nullptr;
    simulator->setOutputFolder(folder);
    if (!simulator->setTrafficLog(folder + "/traffic.log")) {
        error = "cannot write " + folder + "/traffic.log";
        return nullptr;
    }
    return simulator;
}

}  // namespace veltra::sim
